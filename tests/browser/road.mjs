// The road of a new user through the service's pages in Debian's Chromium, driven through the
// DevTools protocol. Started by browser_road_test.cpp, which answers the questions this script
// writes on its standard output, one JSON line each: {"ask": "mail", "count": n} for the n-th
// mail of the SMTP sink, {"ask": "send", ...} for a picture sent by the composer's own code.
// Any failed check ends the script with a message and a non-zero exit code.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import readline from 'node:readline';
import puppeteer from 'puppeteer-core';

const origin = process.env.QUILLORA_ORIGIN;
const shots = process.env.QUILLORA_SHOTS;
const address = 'hanako@example.jp';
const password = 'はなこの写真2026';

const questions = readline.createInterface({ input: process.stdin });
const answers = questions[Symbol.asyncIterator]();
async function ask(question) {
  process.stdout.write(JSON.stringify(question) + '\n');
  const { value } = await answers.next();
  return JSON.parse(value);
}

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quillora-chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--lang=ja'],
});
const timer = setTimeout(() => { console.error('the road took over 90 s'); process.exit(3); }, 90000);

try {
  const page = await browser.newPage();
  page.setDefaultTimeout(20000);
  // Nothing but this site is ever loaded.
  const foreign = [];
  page.on('request', (request) => {
    if (!request.url().startsWith(origin) && !request.url().startsWith('data:')) foreign.push(request.url());
  });

  async function open(url) {
    const response = await page.goto(url, { waitUntil: 'load' });
    return response.status();
  }
  async function submit(selector) {
    const [response] = await Promise.all([page.waitForNavigation({ waitUntil: 'load' }),
      page.click(selector)]);
    return response.status();
  }
  async function fill(selector, text) {
    await page.$eval(selector, (input) => { input.value = ''; });
    await page.type(selector, text);
  }
  const text = () => page.$eval('main', (main) => main.innerText);

  // Labels, alt texts, contrast and no sideways scrolling, at both widths.
  async function checkPage(name) {
    for (const width of [360, 1280]) {
      await page.setViewport({ width, height: 800 });
      const problems = await page.evaluate(() => {
        const found = [];
        if (document.documentElement.scrollWidth > window.innerWidth) found.push('scrolls sideways');
        for (const image of document.images) {
          if (!image.alt.trim()) found.push(`no alt: ${image.src}`);
          if (!image.complete || image.naturalWidth === 0) found.push(`not loaded: ${image.src}`);
        }
        for (const input of document.querySelectorAll('input:not([type=hidden]), button')) {
          const named = input.labels?.length || input.getAttribute('aria-label') || input.textContent.trim();
          if (!named) found.push(`unlabelled ${input.outerHTML}`);
        }
        const rgb = (colour) => colour.match(/[\d.]+/g).map(Number);
        const luminance = ([r, g, b]) => [r, g, b].map((v) => {
          const c = v / 255;
          return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
        }).reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
        const backdrop = (element) => {
          for (let e = element; e; e = e.parentElement) {
            const colour = rgb(getComputedStyle(e).backgroundColor);
            if (colour.length < 4 || colour[3] > 0) return colour;
          }
          return [255, 255, 255];
        };
        const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
        for (let node = walker.nextNode(); node; node = walker.nextNode()) {
          const element = node.parentElement;
          if (!node.textContent.trim() || !element.getClientRects().length) continue;
          const style = getComputedStyle(element);
          if (element.closest('.skip')) continue;
          const [a, b] = [luminance(rgb(style.color)), luminance(backdrop(element))];
          const ratio = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
          const size = parseFloat(style.fontSize);
          const large = size >= 24 || (size >= 18.66 && Number(style.fontWeight) >= 700);
          if (ratio < (large ? 3 : 4.5)) found.push(`contrast ${ratio.toFixed(2)}: ${node.textContent.trim().slice(0, 30)}`);
        }
        return found;
      });
      assert.deepEqual(problems, [], `${name} at ${width} px`);
    }
  }
  async function screenshot(name) {
    for (const width of [360, 1280]) {
      await page.setViewport({ width, height: width === 360 ? 740 : 800 });
      await page.screenshot({ path: path.join(shots, `album_${name}_${width}.png`), fullPage: true });
    }
  }

  // The landing page leads to sign-up.
  assert.equal(await open(`${origin}/`), 200);
  await checkPage('landing');
  await screenshot('landing');
  await submit('a.button.primary[href="/quill/album/signup"]');

  // Sign up, and follow the link of the confirmation mail.
  await checkPage('signup');
  await fill('#address', address);
  await fill('#password', password);
  await fill('#again', password);
  await screenshot('signup');
  assert.equal(await submit('button[type=submit]'), 200);
  assert.match(await text(), /確認メールを送りました/);
  const { mail } = await ask({ ask: 'mail', count: 1 });
  assert.deepEqual(mail.to, [address]);
  const link = mail.text.match(/https?:\/\/\S+\/quill\/album\/confirm\?token=\S+/)[0];
  assert.equal(await open(link), 200);
  assert.match(await text(), /登録が完了しました/);
  const album = await page.$eval('strong.number', (number) => number.textContent);
  assert.match(album, /^\d{6,9}$/);

  // The composer sends three pictures from the account.
  const photos = [['kodim23.png', '森のオウム'], ['kodim03.png', 'ぼうしの店'], ['kodim15.png', 'にっこり']];
  let buttons;
  for (const [n, [photo, subject]] of photos.entries()) {
    buttons = await ask({ ask: 'send', n, photo, subject, address, password, album });
    assert.equal(buttons.status, 1, `the composer did not send ${photo}`);
  }
  assert.equal(buttons.publicAlbum, `${origin}/quill/album/filelist.php3?num=${album}&bLogin=0`);
  assert.equal(buttons.editor, `${origin}/quill/album/`);

  // The editor's button: log in; the pictures are there, newest first.
  assert.equal(await open(buttons.editor), 200);
  await fill('#address', address);
  await fill('#password', password);
  assert.equal(await submit('button[type=submit]'), 200);
  const subjects = () => page.$$eval('.subject', (all) => all.map((s) => s.textContent));
  assert.deepEqual(await subjects(), ['にっこり', 'ぼうしの店', '森のオウム']);
  const [session] = (await page.cookies()).filter((c) => c.name === 'quillora_session');
  assert.ok(session, 'no session cookie');
  assert.equal(session.httpOnly, true);
  assert.equal(session.sameSite, 'Strict');
  assert.equal(session.secure, false, 'Secure is for HTTPS');
  assert.equal(session.path, '/quill/album/');
  const days = (session.expires - Date.now() / 1000) / 86400;
  assert.ok(days > 6.99 && days <= 7, `the session lasts ${days} days`);
  assert.equal(session.value.length, 43);
  await checkPage('editor');
  await screenshot('editor');

  // The album button: the same pictures at twice their size, pixels kept sharp.
  assert.equal(await open(buttons.publicAlbum), 200);
  assert.deepEqual(await subjects(), ['にっこり', 'ぼうしの店', '森のオウム']);
  const shown = await page.$$eval('img.pixels', (all) => all.map((image) => ({
    scale: image.getBoundingClientRect().width / image.naturalWidth,
    rendering: getComputedStyle(image).imageRendering,
    src: image.src,
  })));
  for (const image of shown) {
    assert.equal(image.scale, 2);
    assert.equal(image.rendering, 'pixelated');
  }
  await checkPage('public album');
  await screenshot('public');
  // An older client's address without "&bLogin=0" shows the same album.
  assert.equal(await open(`${origin}/quill/album/filelist.php3?num=${album}`), 200);
  assert.deepEqual(await subjects(), ['にっこり', 'ぼうしの店', '森のオウム']);

  // A form without its token is refused, and changes nothing.
  assert.equal(await open(buttons.editor), 200);
  await page.$eval('form[action="/quill/album/visibility"] input[name=csrf]', (input) => input.remove());
  await page.click('#public-no');
  assert.equal(await submit('form[action="/quill/album/visibility"] button'), 403);
  assert.equal(await open(buttons.publicAlbum), 200);

  // Delete the newest picture after its confirmation: gone from both pages and its address.
  assert.equal(await open(buttons.editor), 200);
  const deleted = shown[0].src;
  assert.equal(await submit('.picture a[href^="/quill/album/delete"]'), 200);
  assert.match(await text(), /削除しますか/);
  await checkPage('delete');
  assert.equal(await submit('form[action="/quill/album/delete"] button'), 200);
  assert.match(await text(), /写真を削除しました/);
  assert.deepEqual(await subjects(), ['ぼうしの店', '森のオウム']);
  assert.equal(await open(deleted), 404);
  assert.equal(await open(buttons.publicAlbum), 200);
  assert.deepEqual(await subjects(), ['ぼうしの店', '森のオウム']);

  // Log out; then five wrong passwords are refused and the sixth is throttled, and so is the
  // right one after it.
  assert.equal(await open(buttons.editor), 200);
  assert.equal(await submit('form[action="/quill/album/logout"] button'), 200);
  assert.match(await text(), /ログアウトしました/);
  const logIn = async (secret) => {
    await fill('#address', address);
    await fill('#password', secret);
    return submit('button[type=submit]');
  };
  for (let attempt = 1; attempt <= 5; ++attempt) assert.equal(await logIn(`wrong-${attempt}`), 401);
  assert.equal(await logIn('wrong-6'), 429);
  assert.match(await text(), /しばらくログインできません/);
  assert.equal(await logIn(password), 429);

  assert.deepEqual(foreign, [], 'the pages loaded something from elsewhere');
  await ask({ ask: 'done' });
} catch (error) {
  console.error(error.stack || String(error));
  process.exitCode = 1;
} finally {
  clearTimeout(timer);
  questions.close();
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
