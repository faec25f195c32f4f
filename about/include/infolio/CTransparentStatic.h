#pragma once
// A text label that paints no background, so that what its parent painted
// (the About box's logo) shows through. Alignment, ellipsis and prefix
// handling follow the static-control style bits it carries.
#include <infolio/infolio_export.h>

#include <QLabel>
#include <cstdint>

class INFOLIO_EXPORT CTransparentStatic : public QLabel {
  Q_OBJECT

 public:
  // Static-control style bits.
  static constexpr std::uint32_t kStyleCenter = 0x0001;
  static constexpr std::uint32_t kStyleRight = 0x0002;
  static constexpr std::uint32_t kStyleNoPrefix = 0x0080;
  static constexpr std::uint32_t kStyleCenterImage = 0x0200;
  static constexpr std::uint32_t kStyleEndEllipsis = 0x4000;
  static constexpr std::uint32_t kStylePathEllipsis = 0x8000;
  static constexpr std::uint32_t kStyleWordEllipsis = 0xC000;

  explicit CTransparentStatic(QWidget* pParent = nullptr);
  ~CTransparentStatic() override;

  void SetStyle(std::uint32_t dwStyle);
  std::uint32_t GetStyle() const { return m_dwStyle; }

 protected:
  void paintEvent(QPaintEvent* pEvent) override;

 private:
  std::uint32_t m_dwStyle = 0;
};
