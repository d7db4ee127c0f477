#!/usr/bin/env python3
"""Walks the program's windows through the desktop accessibility bus, as a screen reader sees
them, and fails listing every control that takes the keyboard focus but has no name.

The program is started here (inside the private session bus the caller set up) with a fresh
home; every window is opened the way a screen-reader user opens it, by pressing the named
buttons through their accessible actions, and typing goes through the edits' text interface.
  walk_windows.py <quillora executable>
"""
import os
import subprocess
import tempfile
import sys
import time

import pyatspi

TIMEOUT = 20


def log(text):
    print(text, flush=True)


def states(acc):
    try:
        return acc.getState()
    except Exception:
        return None


def showing(acc):
    s = states(acc)
    return s is not None and s.contains(pyatspi.STATE_SHOWING)


def children(acc):
    try:
        count = acc.childCount
    except Exception:
        return []
    found = []
    for i in range(count):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            child = None
        if child is not None:
            found.append(child)
    return found


def labelled(acc):
    try:
        for relation in acc.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                for i in range(relation.getNTargets()):
                    if relation.getTarget(i).name.strip():
                        return True
    except Exception:
        pass
    return False


def describe(acc):
    role = acc.getRoleName()
    try:
        extents = acc.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        place = f" at {extents.x},{extents.y} {extents.width}x{extents.height}"
    except Exception:
        place = ""
    tip = acc.description or ""
    return f"{role}{place}" + (f" (description {tip!r})" if tip else "")


def nameless_focusable(window):
    """Controls of a window that are on screen, take the focus and have neither a name nor a
    label; and how many take the focus in all."""
    nameless, focusable = [], 0
    stack = [window]
    while stack:
        acc = stack.pop()
        s = states(acc)
        if s is None or not s.contains(pyatspi.STATE_SHOWING):
            continue
        if acc is not window and s.contains(pyatspi.STATE_FOCUSABLE):
            focusable += 1
            if not (acc.name or "").strip() and not labelled(acc):
                nameless.append(describe(acc))
        stack.extend(reversed(children(acc)))
    return nameless, focusable


def find_all(acc, test, limit=5000):
    found, stack = [], [acc]
    while stack and limit:
        limit -= 1
        node = stack.pop()
        try:
            if test(node):
                found.append(node)
        except Exception:
            pass
        stack.extend(reversed(children(node)))
    return found


class Program:
    def __init__(self, executable):
        # The program's own messages are kept and shown when it ends before the walk does.
        self.log = tempfile.TemporaryFile()
        self.process = subprocess.Popen([executable], stdout=self.log, stderr=subprocess.STDOUT)
        self.app = None

    def ended_early(self):
        self.log.seek(0)
        sys.stderr.write(self.log.read().decode(errors="replace"))
        return SystemExit(f"the program ended early ({self.process.returncode})")

    def application(self):
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise self.ended_early()
            desktop = pyatspi.Registry.getDesktop(0)
            for app in children(desktop):
                try:
                    if app.get_process_id() == self.process.pid:
                        self.app = app
                        return app
                except Exception:
                    continue
            time.sleep(0.2)
        raise SystemExit("the program did not appear on the accessibility bus")

    def windows(self):
        return [w for w in children(self.app) if showing(w)]

    def wait_window(self, has, what):
        """The showing window in which `has(window)` holds."""
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            for window in self.windows():
                try:
                    if has(window):
                        return window
                except Exception:
                    pass
            time.sleep(0.2)
        raise SystemExit(f"no window {what} within {TIMEOUT} s; windows: "
                         + ", ".join(f"{w.getRoleName()} {w.name!r}" for w in self.windows()))

    def wait_gone(self, window, what):
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            if not showing(window):
                return
            time.sleep(0.2)
        raise SystemExit(f"the window {what} stayed open")

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()


def button(window, name):
    found = find_all(window, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON
                     and a.name == name and showing(a))
    if not found:
        raise SystemExit(f"no button {name!r} in the window {window.name!r}")
    return found[0]


def press(window, name):
    action = button(window, name).queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def has_button(name):
    return lambda w: bool(find_all(w, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                   and a.name == name and showing(a)))


def type_into(window, name, text):
    edits = find_all(window, lambda a: a.name == name and showing(a)
                     and a.getState().contains(pyatspi.STATE_EDITABLE))
    if not edits:
        raise SystemExit(f"no edit {name!r} in the window {window.name!r}")
    edits[0].queryEditableText().setTextContents(text)


def main():
    executable = sys.argv[1]
    program = Program(executable)
    report = []  # (window, nameless controls)
    problems = []

    def walk(label, window):
        nameless, focusable = nameless_focusable(window)
        report.append((label, nameless))
        log(f"{label}: {len(nameless)} of {focusable} focusable control(s) without a name")
        for control in nameless:
            log(f"    {control}")

    try:
        program.application()
        setup = program.wait_window(lambda w: bool(find_all(
            w, lambda a: a.name == "メールアドレス" and a.getRole() == pyatspi.ROLE_TEXT)),
            "of the first-run setup")
        walk("first-run setup", setup)
        type_into(setup, "パスワード", "quill2026")
        type_into(setup, "メールアドレス", "hanako@example.ne.jp")
        press(setup, "OK")

        confirm = program.wait_window(has_button("登録"), "of the confirmation")
        walk("confirmation", confirm)
        if "hanako@example.ne.jp" not in (confirm.description or ""):
            problems.append("the confirmation does not tell the address it shows")
        press(confirm, "登録")

        compose = program.wait_window(has_button("終了"), "of the composition")
        time.sleep(0.5)
        walk("composition window", compose)

        press(compose, "設定")
        settings = program.wait_window(lambda w: w.name == "ユーザー設定", "ユーザー設定")
        walk("settings window", settings)
        if "hanako@example.ne.jp" not in (settings.description or ""):
            problems.append("the settings window does not tell the address it shows")
        press(settings, "キャンセル")
        program.wait_gone(settings, "ユーザー設定")

        press(compose, "開く")
        chooser = program.wait_window(lambda w: w.name == "画像の読み込み", "画像の読み込み")
        time.sleep(0.5)
        walk("picture chooser", chooser)
        press(chooser, "キャンセル")
        program.wait_gone(chooser, "画像の読み込み")

        press(compose, "保存")
        save = program.wait_window(lambda w: w.name == "編集画像の保存", "編集画像の保存")
        walk("save window", save)
        press(save, "キャンセル")
        program.wait_gone(save, "編集画像の保存")

        press(compose, "送信")
        send = program.wait_window(lambda w: w.name == "送信", "送信")
        walk("send window", send)

        press(send, "アドレス帳")
        book = program.wait_window(lambda w: w.name == "アドレス帳", "アドレス帳")
        press(book, "新規")
        time.sleep(0.5)
        walk("address book", book)
        tables = find_all(book, lambda a: a.getRole() == pyatspi.ROLE_TABLE)
        if not tables:
            problems.append("the address book shows no table")
        else:
            table = tables[0].queryTable()
            headings = [table.getColumnHeader(c).name for c in range(table.nColumns)]
            if headings != ["宛先", "名前", "メールアドレス"]:
                problems.append(f"the address book's headings are {headings}")
            if table.nRows != 1 or table.getAccessibleAt(0, 0).name != "送信せず":
                problems.append("the new row of the address book is not in its table")
        press(book, "キャンセル")
        program.wait_gone(book, "アドレス帳")

        # Sending with no recipient: the notice that says why.
        press(send, "送信")
        notice = program.wait_window(
            lambda w: w.getRole() == pyatspi.ROLE_ALERT and bool(w.name), "of a notice")
        walk("notice", notice)
        if notice.name != "宛先を指定してください。":
            problems.append(f"the notice says {notice.name!r}")
        press(notice, "OK")
        program.wait_gone(notice, "of the notice")
        press(send, "キャンセル")
        program.wait_gone(send, "送信")
        press(compose, "終了")
        if program.process.wait(TIMEOUT) != 0:
            problems.append(f"the program ended with {program.process.returncode}")
    finally:
        program.stop()

    total = sum(len(nameless) for _, nameless in report)
    if total:
        problems.append(f"{total} focusable control(s) without a name")
    if problems:
        for problem in problems:
            log(f"FAILED: {problem}")
        return 1
    log(f"passed: {len(report)} windows, every focusable control named")
    return 0


if __name__ == "__main__":
    sys.exit(main())
