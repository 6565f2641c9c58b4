#pragma once

#include <Qt>

#include <cstdint>

// The window's key codes: the virtual key codes its shortcuts are defined in, and the
// modifier state (1 Shift, 2 Ctrl, 4 Alt, added together).
namespace VirtualKey {

constexpr std::uint16_t Escape = 27;
constexpr std::uint16_t Space = 32;
constexpr std::uint16_t Left = 37;
constexpr std::uint16_t Up = 38;
constexpr std::uint16_t Right = 39;
constexpr std::uint16_t Down = 40;
constexpr std::uint16_t D0 = 48;
constexpr std::uint16_t F = 70;
constexpr std::uint16_t I = 73;
constexpr std::uint16_t L = 76;
constexpr std::uint16_t M = 77;
constexpr std::uint16_t P = 80;
constexpr std::uint16_t R = 82;
constexpr std::uint16_t S = 83;
constexpr std::uint16_t Add = 107;
constexpr std::uint16_t Subtract = 109;
constexpr std::uint16_t F1 = 112;
constexpr std::uint16_t F2 = 113;
constexpr std::uint16_t F3 = 114;
constexpr std::uint16_t F4 = 115;
constexpr std::uint16_t F5 = 116;
constexpr std::uint16_t F6 = 117;
constexpr std::uint16_t F7 = 118;
constexpr std::uint16_t F8 = 119;
constexpr std::uint16_t F9 = 120;
constexpr std::uint16_t F10 = 121;
constexpr std::uint16_t F11 = 122;
constexpr std::uint16_t F12 = 123;
constexpr std::uint16_t OemPlus = 187;
constexpr std::uint16_t OemMinus = 189;

constexpr std::uint16_t ShiftMask = 1;
constexpr std::uint16_t CtrlMask = 2;
constexpr std::uint16_t AltMask = 4;

// Virtual key code of a Qt key; 0 for keys without one. Keys of the keypad (keypad set in
// modifiers) that have codes of their own get those.
std::uint16_t FromQtKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Modifier state of Qt's modifiers; keypad and the other modifiers count for nothing.
std::uint16_t ModifierState(Qt::KeyboardModifiers modifiers);

} // namespace VirtualKey
