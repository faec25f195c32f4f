#pragma once
// The maker's About box: logo, the host's application name and version in a
// framed box, a web-site label and a support-mail label that open their links.
// The host constructs it, calls SetDialogParams and runs it with exec().
#include <infolio/infolio_export.h>

#include <QDialog>
#include <cstdint>
#include <string>

class CXPButton;
class CTransparentStatic;
class CPictureStatic;

class INFOLIO_EXPORT CZqDialogAbout1 : public QDialog {
  Q_OBJECT

 public:
  // Without a parent the application's active window becomes the owner.
  explicit CZqDialogAbout1(QWidget* pParent = nullptr);
  ~CZqDialogAbout1() override;

  // Link variants: 0 no links, 1 to 3 one of the three support mailboxes with
  // the web site, 4 the web site alone; any other value keeps the links and
  // images as they are.
  void SetDialogParams(std::uint32_t dwLinkSet, std::wstring strCaption, std::wstring strAppName,
                       std::wstring strVersion);

  // The control with the template's id (1, 2019, 2020, 2023, 2024, 16001,
  // 16002); null for any other id.
  QWidget* GetDlgItem(int iId) const;

 protected:
  // Applies the texts and the caption; runs when a modal run shows the dialog.
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnStaticSupportmail();
  virtual void OnStaticMakersite();

  void showEvent(QShowEvent* pEvent) override;
  void paintEvent(QPaintEvent* pEvent) override;
  void done(int iResult) override;

 private:
  void BindControls();
  void ApplyImages();
  static void OpenLink(const std::wstring& strLink);

  std::wstring m_strVersion;
  std::wstring m_strAppName;
  std::wstring m_strTitle;
  std::wstring m_strSiteLink;
  std::wstring m_strMailLink;
  std::uint32_t m_dwLinkSet = 0;
  bool m_bImagesPending = false;
  bool m_bInitialised = false;

  CXPButton* m_btnOK = nullptr;
  CPictureStatic* m_stSite = nullptr;
  CPictureStatic* m_stMail = nullptr;
  CPictureStatic* m_stLogo = nullptr;
  CTransparentStatic* m_stVersion = nullptr;
  CTransparentStatic* m_stAppName = nullptr;
};
