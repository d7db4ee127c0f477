#include "grid_keys.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, unsigned>, 17> kKeys = {{
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
}};

}  // namespace

unsigned VirtualKeyFromQt(int qtKey) {
  if (qtKey == Qt::Key_F2) return VK_F2;
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return static_cast<unsigned>(qtKey);
  for (const auto& [qt, vk] : kKeys) {
    if (qt == qtKey) return vk;
  }
  return 0;
}

int QtKeyFromVirtualKey(unsigned vk) {
  if (vk == VK_F2) return Qt::Key_F2;
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return static_cast<int>(vk);
  for (const auto& [qt, code] : kKeys) {
    if (code == vk) return qt;
  }
  return 0;
}
