#include "infolio/CZqDialogAbout1.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QPainter>
#include <QShowEvent>
#include <QUrl>
#include <array>

#include "AboutTemplate.h"
#include "CPictureStatic.h"
#include "DialogUnits.h"
#include "InfolioResources.h"
#include "infolio/CTransparentStatic.h"
#include "infolio/CXPButton.h"

namespace {

constexpr int kStringMailDefault = 62262;
constexpr int kStringSite = 62263;
constexpr std::uint32_t kLastVariant = 4;

// Per link variant: the mail link's string and its label's image, and
// whether the site link and label are shown (0 for none).
struct LinkVariant {
  int iMailString;
  int iMailImage;
  bool bSite;
};
constexpr std::array<LinkVariant, kLastVariant + 1> kVariants = {{
    {0, 0, false},
    {62262, 2027, true},
    {62264, 2026, true},
    {62265, 2024, true},
    {0, 0, true},
}};

QWidget* CreateControl(QWidget* pParent, const DialogControl& control) {
  switch (control.kind) {
    case ControlKind::PushButton: {
      auto* pButton = new CXPButton(pParent);
      pButton->setText(QString::fromLatin1(control.pszText));
      pButton->setDefault(control.dwStyle & DialogStyle::kDefaultButton);
      pButton->setFocusPolicy((control.dwStyle & DialogStyle::kTabStop) ? Qt::StrongFocus
                                                                         : Qt::ClickFocus);
      return pButton;
    }
    case ControlKind::StaticText: {
      auto* pText = new CTransparentStatic(pParent);
      pText->setText(QString::fromLatin1(control.pszText));
      pText->SetStyle(control.dwStyle);
      return pText;
    }
    case ControlKind::StaticPicture:
      return new CPictureStatic(pParent, control.dwStyle & DialogStyle::kNotify);
    case ControlKind::GrayFrame: {
      auto* pFrame = new QFrame(pParent);
      pFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
      QPalette palette = pFrame->palette();
      palette.setColor(QPalette::WindowText, QColor(146, 162, 168));
      pFrame->setPalette(palette);
      pFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
      return pFrame;
    }
  }
  return nullptr;
}

// A hand cursor and the address as tool tip while a label has a link.
void ShowLinkHint(QWidget* pLabel, const std::wstring& strLink) {
  pLabel->setCursor(strLink.empty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
  pLabel->setToolTip(QString::fromStdWString(strLink));
}

}  // namespace

CZqDialogAbout1::CZqDialogAbout1(QWidget* pParent)
    : QDialog(pParent ? pParent : QApplication::activeWindow(),
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowCloseButtonHint),
      m_strSiteLink(InfolioResources::LoadString(kStringSite)),
      m_strMailLink(InfolioResources::LoadString(kStringMailDefault)) {
  BindControls();
}

CZqDialogAbout1::~CZqDialogAbout1() = default;

void CZqDialogAbout1::BindControls() {
  const DialogTemplate& dialogTemplate = AboutTemplate::Get();
  setFont(DialogUnits::TemplateFont(dialogTemplate));
  const DialogUnits units(font());
  setFixedSize(units.ToPixels(dialogTemplate.cx, dialogTemplate.cy));
  setWindowTitle(QString::fromLatin1(dialogTemplate.pszCaption));
  for (const DialogControl& control : dialogTemplate.controls) {
    QWidget* pControl = CreateControl(this, control);
    pControl->setObjectName(QString::number(control.iId));
    pControl->setGeometry(units.ToPixels(control.x, control.y, control.cx, control.cy));
    if (control.iImage != 0)
      static_cast<CPictureStatic*>(pControl)->SetImage(
          InfolioResources::LoadImage(control.iImage, devicePixelRatioF()));
  }
  m_btnOK = static_cast<CXPButton*>(GetDlgItem(AboutTemplate::kIdOK));
  m_stSite = static_cast<CPictureStatic*>(GetDlgItem(AboutTemplate::kIdSite));
  m_stMail = static_cast<CPictureStatic*>(GetDlgItem(AboutTemplate::kIdMail));
  m_stLogo = static_cast<CPictureStatic*>(GetDlgItem(AboutTemplate::kIdLogo));
  m_stVersion = static_cast<CTransparentStatic*>(GetDlgItem(AboutTemplate::kIdVersion));
  m_stAppName = static_cast<CTransparentStatic*>(GetDlgItem(AboutTemplate::kIdAppName));
  connect(m_btnOK, &QPushButton::clicked, this, [this] { OnOK(); });
  connect(m_stMail, &CPictureStatic::clicked, this, [this] { OnStaticSupportmail(); });
  connect(m_stSite, &CPictureStatic::clicked, this, [this] { OnStaticMakersite(); });
  ShowLinkHint(m_stSite, m_strSiteLink);
  ShowLinkHint(m_stMail, m_strMailLink);
}

QWidget* CZqDialogAbout1::GetDlgItem(int iId) const {
  return findChild<QWidget*>(QString::number(iId), Qt::FindDirectChildrenOnly);
}

void CZqDialogAbout1::SetDialogParams(std::uint32_t dwLinkSet, std::wstring strCaption,
                                      std::wstring strAppName, std::wstring strVersion) {
  m_strTitle = std::move(strCaption);
  m_strAppName = std::move(strAppName);
  m_strVersion = std::move(strVersion);
  m_dwLinkSet = dwLinkSet;
  if (dwLinkSet <= kLastVariant) {
    const LinkVariant& variant = kVariants[dwLinkSet];
    m_strMailLink = InfolioResources::LoadString(variant.iMailString);
    m_strSiteLink = variant.bSite ? InfolioResources::LoadString(kStringSite) : std::wstring();
    ShowLinkHint(m_stSite, m_strSiteLink);
    ShowLinkHint(m_stMail, m_strMailLink);
  }
  m_bImagesPending = true;
  update();
}

bool CZqDialogAbout1::OnInitDialog() {
  m_stVersion->setText(QString::fromStdWString(m_strVersion));
  m_stAppName->setText(QString::fromStdWString(m_strAppName));
  setWindowTitle(QString::fromStdWString(m_strTitle));
  m_bImagesPending = true;
  update();
  return true;
}

void CZqDialogAbout1::OnOK() { accept(); }

void CZqDialogAbout1::showEvent(QShowEvent* pEvent) {
  // Once per run: a spontaneous show (restoring a minimised window) is not one.
  if (!pEvent->spontaneous() && !m_bInitialised) {
    m_bInitialised = true;
    OnInitDialog();
  }
  QDialog::showEvent(pEvent);
}

void CZqDialogAbout1::done(int iResult) {
  m_bInitialised = false;
  QDialog::done(iResult);
}

void CZqDialogAbout1::paintEvent(QPaintEvent*) {
  if (!m_bImagesPending) return;
  m_bImagesPending = false;
  ApplyImages();
}

void CZqDialogAbout1::ApplyImages() {
  if (m_dwLinkSet > kLastVariant) return;  // the template's images stay
  const LinkVariant& variant = kVariants[m_dwLinkSet];
  const qreal dRatio = devicePixelRatioF();
  m_stLogo->SetImage(InfolioResources::LoadImage(2023, dRatio));
  m_stMail->SetImage(variant.iMailImage ? InfolioResources::LoadImage(variant.iMailImage, dRatio)
                                        : QPixmap());
  m_stSite->SetImage(variant.bSite ? InfolioResources::LoadImage(2025, dRatio) : QPixmap());
}

void CZqDialogAbout1::OnStaticSupportmail() { OpenLink(m_strMailLink); }

void CZqDialogAbout1::OnStaticMakersite() { OpenLink(m_strSiteLink); }

void CZqDialogAbout1::OpenLink(const std::wstring& strLink) {
  // Goes through the desktop's URL handler; a link that cannot be opened is
  // ignored, as there is nothing the About box could do about it.
  if (strLink.empty()) return;
  QDesktopServices::openUrl(QUrl(QString::fromStdWString(strLink)));
}
