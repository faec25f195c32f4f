#pragma once
// Text-format flags of a static label and how they are drawn: alignment,
// single line or word break, ellipsis, '&' as mnemonic prefix or literal.
#include <QString>
#include <cstdint>

class QPainter;
class QRect;

namespace TextFormat {

constexpr std::uint32_t kCenter = 0x00001;
constexpr std::uint32_t kRight = 0x00002;
constexpr std::uint32_t kVCenter = 0x00004;
constexpr std::uint32_t kWordBreak = 0x00010;
constexpr std::uint32_t kSingleLine = 0x00020;
constexpr std::uint32_t kNoPrefix = 0x00800;
constexpr std::uint32_t kPathEllipsis = 0x04000;
constexpr std::uint32_t kEndEllipsis = 0x08000;
constexpr std::uint32_t kWordEllipsis = 0x40000;

// The format flags for a static control's style bits.
std::uint32_t FromStaticStyle(std::uint32_t dwStyle);

// Draws text into rc with the format flags and the painter's pen and font.
void Draw(QPainter& painter, const QRect& rc, const QString& text, std::uint32_t dwFormat);

}  // namespace TextFormat
