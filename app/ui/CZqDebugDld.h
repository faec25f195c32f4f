#pragma once
// The debug console: a modeless window beside the main window with a
// time-stamped log of the discovery and query traffic, "Clear List...", and
// the hidden test buttons, which run the main window's test commands.
#include "CTemplateDialog.h"

#include <corvane/CorvaneTypes.h>

#include <QPointer>
#include <QString>

#include <vector>

class CDebugLineModel;
class CDebugLogView;
class CLumoraDlg;

class CZqDebugDld : public CTemplateDialog {
  Q_OBJECT

 public:
  enum : int {
    IDC_LOG = 1012,
    IDC_GET_FULL_STS = 1023,
    IDC_SUMMARY = 1024,
    IDC_GET_DEV_ID = 1025,
    IDC_TEST = 1022,
    IDC_ADD_ITEM = 1003,
    IDC_CLEAR_LIST = 1004,
    IDC_REFRESH_ITEM = 1010,
  };
  static constexpr DWORD kQueryButtonsBit = 0x200000;

  explicit CZqDebugDld(CLumoraDlg* pParent);

  BOOL OnInitDialog();
  // Adds "[hh:mm:ss:mmm], text" at the end, emptying the log first when it
  // is full, and scrolls to it when auto-scroll is on.
  void AddLine(const QString& strText);
  // Adds lines stamped already (TimeStamped), in order, as AddLine would.
  void AddStampedLines(std::vector<QString> lines);
  // Buttons 1023 and 1025 enabled when bit 0x200000 of the mask is set.
  BOOL EnableQueryButtons(DWORD dwMask);
  BOOL SetSummary(const QString& strText);

  CDebugLineModel& Lines() const { return *m_pLines; }
  CDebugLogView& LogView() const { return *m_pLog; }
  // The line as the log shows it, stamped with the local time now.
  static QString TimeStamped(const QString& strText);

 protected:
  QWidget* CreateControl(const ControlSpec& spec) override;

 private:
  void Wire(int nId, void (CLumoraDlg::*pHandler)());

  QPointer<CLumoraDlg> m_pParent;  // not owned; null once the main window is gone
  CDebugLineModel* m_pLines = nullptr;
  CDebugLogView* m_pLog = nullptr;
  BOOL m_bAutoScroll = 0;
};
