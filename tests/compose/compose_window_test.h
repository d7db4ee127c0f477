#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "app/settings_store.h"
#include "compose/compose_canvas.h"
#include "compose/compose_dlg.h"

// A shown composition window over a writable settings key.
class ComposeWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.OpenSettingsKey(RegistryAccess::Full));
    window = std::make_unique<CComposeDlg>(store);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  CComposeCanvas& Canvas() { return window->Canvas(); }

  CSettingsStore store;
  std::unique_ptr<CComposeDlg> window;
};
