#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTest>
#include <QVBoxLayout>

#include "platform/shell_namespace.h"
#include "test_environment.h"
#include "widgets/shell/file_list_ctrl.h"
#include "widgets/shell/folder_combo_box.h"
#include "widgets/shell/folder_tree_ctrl.h"
#include "window_input.h"

namespace {

void Touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

QStringList Texts(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
  return texts;
}

QStringList Texts(const QTreeWidgetItem* parent) {
  QStringList texts;
  for (int i = 0; i < parent->childCount(); ++i) texts << parent->child(i)->text(0);
  return texts;
}

int ReadyVolumes() {
  int count = 0;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    count += volume.isValid() && volume.isReady();
  return count;
}

// A home folder of our own with a desktop and a pictures folder, named in user-dirs.dirs the
// way the desktop names them.
class ShellControls : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHome_ = qgetenv("HOME");
    home = testenv::ProgramDir() + "/alice";
    desktop = home + "/Desktop";
    pictures = home + "/Pictures";
    for (const QString& folder : {desktop + "/alice", pictures + "/Zoo", pictures + "/.hidden"})
      ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* name : {"a.JPG", "b.gif", "c.Bmp", "d.png", "e.txt", "f.jpeg", ".h.jpg"})
      Touch(pictures + "/" + name);
    Touch(desktop + "/shot.PNG");
    Touch(desktop + "/notes.txt");
    QFile dirs(testenv::ConfigDir() + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write(QString("XDG_DESKTOP_DIR=\"%1\"\nXDG_PICTURES_DIR=\"%2\"\n")
                   .arg(desktop, pictures)
                   .toUtf8());
    qputenv("HOME", home.toUtf8());
  }
  void TearDown() override { qputenv("HOME", savedHome_); }

  QString home, desktop, pictures;

 private:
  QByteArray savedHome_;
};

TEST_F(ShellControls, ComboShowsDesktopComputerNetworkAndHangsDeepFoldersUnderTheirParents) {
  CFolderComboBox combo;
  combo.FillTopLevel();
  ASSERT_EQ(combo.count(), 3);
  EXPECT_EQ(combo.itemText(0), QStringLiteral("デスクトップ"));
  EXPECT_EQ(combo.itemText(1), QStringLiteral("コンピュータ"));
  EXPECT_EQ(combo.itemText(2), QStringLiteral("ネットワーク"));
  EXPECT_EQ(combo.IndentationOf(1), 1);

  combo.SelectPath(pictures + "/Zoo");
  int zoo = combo.currentIndex();
  EXPECT_EQ(combo.currentText(), QStringLiteral("Zoo"));
  EXPECT_EQ(combo.PathOf(zoo - 1), pictures);
  EXPECT_EQ(combo.IndentationOf(zoo), combo.IndentationOf(zoo - 1) + 1);
  // Every folder on the way hangs one step below the one holding it, down from the computer.
  for (int index = 2; index < zoo; ++index)
    EXPECT_EQ(combo.IndentationOf(index), combo.IndentationOf(index - 1) + 1) << index;
  EXPECT_EQ(combo.itemText(combo.count() - 1), QStringLiteral("ネットワーク"));

  // Going up prunes what lay deeper.
  combo.SelectPath(pictures);
  EXPECT_EQ(combo.PathOf(combo.currentIndex()), pictures);
  EXPECT_EQ(combo.findText(QStringLiteral("Zoo")), -1);
  // A folder on the desktop hangs below the Desktop itself.
  combo.SelectPath(desktop + "/alice");
  EXPECT_EQ(combo.currentIndex(), 1);
  EXPECT_EQ(combo.IndentationOf(1), 1);
  combo.SelectPath(desktop);
  EXPECT_EQ(combo.count(), 3);
  EXPECT_EQ(combo.currentIndex(), 0);
  combo.SelectPath(home + "/no such folder");
  EXPECT_EQ(combo.count(), 3);
}

TEST_F(ShellControls, FolderListsSubfoldersFirstThenPicturesOnly) {
  CFileListCtrl list;
  list.ListFolder(pictures);
  EXPECT_EQ(Texts(list), (QStringList{".hidden", "Zoo", ".h.jpg", "a.JPG", "b.gif", "c.Bmp",
                                      "d.png", "f.jpeg"}));
  EXPECT_EQ(list.FolderCount(), 2);
  for (int row = 0; row < list.count(); ++row)
    EXPECT_EQ(list.PathOfItem(row), pictures + "/" + list.item(row)->text());
  EXPECT_TRUE(list.IsFolderItem(1));
  EXPECT_FALSE(list.IsFolderItem(2));

  list.ListFolder(home + "/gone");
  EXPECT_EQ(list.count(), 0);
  list.ListFolder(pictures + "/a.JPG");  // a file, not a folder
  EXPECT_EQ(list.count(), 0);
}

TEST_F(ShellControls, DesktopListsEachTextOnceAndKeepsPathsInStep) {
  CFileListCtrl list;
  list.ListDesktop();
  // The home folder "alice" and the desktop's folder "alice" show as one item.
  EXPECT_EQ(Texts(list), (QStringList{"コンピュータ", "ネットワーク", "alice", "shot.PNG"}));
  EXPECT_EQ(list.PathOfItem(2), home);
  EXPECT_EQ(list.PathOfItem(3), desktop + "/shot.PNG");
  EXPECT_EQ(list.CurrentFolder(), desktop);
}

TEST_F(ShellControls, ChoosingInTheComboAndDoubleClickingAFolderListIt) {
  QWidget window;
  auto* combo = new CFolderComboBox(&window);
  auto* list = new CFileListCtrl(&window);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(combo);
  layout->addWidget(list);
  combo->SetLinkedList(list);
  list->SetLinkedCombo(combo);
  window.resize(400, 300);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  combo->FillTopLevel();
  list->ListDesktop();

  combo->setFocus();
  testenv::WindowKey(&window, Qt::Key_Down);  // onto the computer
  EXPECT_EQ(list->CurrentFolder(), ShellNamespace::kComputerPath);
  EXPECT_EQ(list->count(), ReadyVolumes());

  list->ListFolder(pictures);
  const QRect zoo = list->visualItemRect(list->item(1));
  testenv::WindowDoubleClick(&window, Qt::LeftButton,
                             testenv::InWindow(list->viewport(), zoo.center()));
  EXPECT_EQ(list->CurrentFolder(), pictures + "/Zoo");
  EXPECT_EQ(combo->currentText(), QStringLiteral("Zoo"));
}

TEST_F(ShellControls, TreeListsChildrenOnExpandAndAgainAfterCollapse) {
  CFolderTreeCtrl tree;
  ASSERT_TRUE(tree.DisplayTree(pictures, false));
  ASSERT_EQ(tree.topLevelItemCount(), 2);
  QTreeWidgetItem* zoo = tree.topLevelItem(1);
  EXPECT_EQ(zoo->text(0), QStringLiteral("Zoo"));
  EXPECT_EQ(zoo->childCount(), 0);  // no subfolders: no expand button

  ASSERT_TRUE(QDir().mkpath(pictures + "/Zoo/Lions"));
  ASSERT_TRUE(tree.DisplayTree(pictures, true));
  zoo = tree.topLevelItem(1);
  ASSERT_EQ(zoo->childCount(), 1);
  EXPECT_TRUE(CFolderTreeCtrl::IsPlaceholder(zoo->child(0)));
  zoo->setExpanded(true);
  EXPECT_EQ(Texts(zoo), QStringList{"Lions"});
  EXPECT_EQ(tree.PathOfItem(zoo->child(0)), pictures + "/Zoo/Lions");
  zoo->setExpanded(false);
  ASSERT_EQ(zoo->childCount(), 1);
  EXPECT_TRUE(CFolderTreeCtrl::IsPlaceholder(zoo->child(0)));
  ASSERT_TRUE(QDir().mkpath(pictures + "/Zoo/Bears"));
  zoo->setExpanded(true);
  EXPECT_EQ(Texts(zoo), (QStringList{"Bears", "Lions"}));
  // Files follow the folders when asked for; a folder that cannot be read lists nothing.
  EXPECT_EQ(tree.topLevelItem(2)->text(0), QStringLiteral(".h.jpg"));
  ASSERT_TRUE(tree.DisplayTree(home + "/gone", false));
  EXPECT_EQ(tree.topLevelItemCount(), 0);

  ASSERT_TRUE(tree.DisplayTree(QString(), false));
  EXPECT_EQ(tree.topLevelItemCount(), ReadyVolumes());
}

}  // namespace
