#pragma once

#include <QKeyEvent>

// Virtual-key codes, as keys reach the grid, its editors and the cells' edit operations.
constexpr unsigned VK_LBUTTON = 0x01;
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_TAB = 0x09;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_PRIOR = 0x21;
constexpr unsigned VK_NEXT = 0x22;
constexpr unsigned VK_END = 0x23;
constexpr unsigned VK_HOME = 0x24;
constexpr unsigned VK_LEFT = 0x25;
constexpr unsigned VK_UP = 0x26;
constexpr unsigned VK_RIGHT = 0x27;
constexpr unsigned VK_DOWN = 0x28;
constexpr unsigned VK_INSERT = 0x2D;
constexpr unsigned VK_DELETE = 0x2E;
constexpr unsigned VK_F2 = 0x71;

// A typed character as the key that starts an edit. Character codes 0x21 ... 0x28 ("!" to "(")
// equal the codes of the page, Home/End and arrow keys; the flag keeps a typed "(" from being
// taken for the Down key (which would select the text and lose the character).
constexpr unsigned kTypedCharFlag = 0x40000000;
constexpr unsigned TypedChar(char32_t c) { return kTypedCharFlag | static_cast<unsigned>(c); }
constexpr bool IsTypedChar(unsigned key) { return (key & kTypedCharFlag) != 0; }
constexpr char32_t CharOfKey(unsigned key) { return key & ~kTypedCharFlag; }

// The virtual-key code of a Qt key (letters and digits as their upper-case ASCII code), or 0.
unsigned VirtualKeyFromQt(int qtKey);
// The Qt key of a virtual-key code, or 0.
int QtKeyFromVirtualKey(unsigned vk);
