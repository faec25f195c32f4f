// The debug console: its line format, its limit, the horizontal extent, and
// "Clear List..." while a run goes on.
#include "CConsoleLineBatcher.h"
#include "CDebugLineModel.h"
#include "CDebugLogView.h"
#include "CZqDebugDld.h"
#include "UiTestSupport.h"

#include <QRegularExpression>
#include <QScrollBar>

#include <thread>

using namespace std::chrono_literals;

namespace {
class DebugConsole : public WindowTest {
 protected:
  explicit DebugConsole(DWORD dwReceiveTimeout = 40) {
    m_pTransport->m_bWaitTimeouts = true;
    m_App.Get().dwReciveThreadTimeout = dwReceiveTimeout;
    m_App.Get().dwRxThreadIdleTimeout = 2;
    Open(CLumoraApp::kFlagDebug);
  }
  CZqDebugDld& Console() const { return *m_pDlg->DebugWindow(); }
};

// Receives that wait seconds: the discovery phase outlasts the test's steps.
class DebugConsoleSlowRun : public DebugConsole {
 protected:
  DebugConsoleSlowRun() : DebugConsole(5000) {}
};
}  // namespace

TEST_F(DebugConsole, LinesAreTimeStampedAndFollowed) {
  Console().AddLine(QStringLiteral("hello"));
  ASSERT_EQ(Console().Lines().rowCount(), 1);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d:\\d\\d\\d\\], hello$"))
                  .match(Console().Lines().Line(0))
                  .hasMatch())
      << Console().Lines().Line(0).toStdString();
  for (int i = 0; i < 200; ++i) Console().AddLine(QString::number(i));
  QCoreApplication::processEvents();  // the view follows once per pass
  QScrollBar* pBar = Console().LogView().verticalScrollBar();
  EXPECT_GT(pBar->maximum(), 0);
  EXPECT_EQ(pBar->value(), pBar->maximum());
}

TEST_F(DebugConsole, FullLogIsEmptiedAndExtentFitsTheLongestLine) {
  CDebugLineModel& lines = Console().Lines();
  lines.SetLimit(3);
  const QString strLong(300, QLatin1Char('W'));
  Console().AddLine(strLong);
  Console().AddLine(QStringLiteral("short"));
  const int nLongWidth = Console().LogView().TextWidth(CZqDebugDld::TimeStamped(strLong));
  EXPECT_EQ(lines.MaxWidth(), nLongWidth);
  QCoreApplication::processEvents();
  EXPECT_GT(Console().LogView().horizontalScrollBar()->maximum(), 0);
  Console().AddLine(QStringLiteral("third"));
  Console().AddLine(QStringLiteral("fourth"));
  ASSERT_EQ(lines.rowCount(), 1);
  EXPECT_TRUE(lines.Line(0).endsWith(QStringLiteral(", fourth")));
  EXPECT_LT(lines.MaxWidth(), nLongWidth);
  QCoreApplication::processEvents();
  EXPECT_EQ(Console().LogView().horizontalScrollBar()->maximum(), 0);
}

// A batch that passes the limit ends as line-by-line adding would: the list
// emptied where it filled up, the extent measured on what is left.
TEST_F(DebugConsole, BatchPassingTheLimitEmptiesWhereItFillsUp) {
  CDebugLineModel& lines = Console().Lines();
  lines.SetLimit(3);
  Console().AddLine(QString(200, QLatin1Char('W')));
  Console().AddStampedLines({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                             QStringLiteral("e")});
  ASSERT_EQ(lines.rowCount(), 3);
  EXPECT_EQ(lines.Line(0), QStringLiteral("c"));
  EXPECT_EQ(lines.Line(2), QStringLiteral("e"));
  const CDebugLogView& view = Console().LogView();
  EXPECT_EQ(lines.MaxWidth(), std::max({view.TextWidth(QStringLiteral("c")), view.TextWidth(QStringLiteral("d")),
                                        view.TextWidth(QStringLiteral("e"))}));
}

// Lines written by the worker reach the console in order, in few insertions.
TEST_F(DebugConsole, WorkerLinesArriveInOrderInChunks) {
  int nInsertions = 0;
  QObject::connect(&Console().Lines(), &CDebugLineModel::rowsInserted, [&] { ++nInsertions; });
  const int nLines = 3 * static_cast<int>(CConsoleLineBatcher::kChunkLines);
  std::thread worker([&] {
    for (int i = 0; i < nLines; ++i) m_pDlg->WriteDebugConsole(std::to_wstring(i));
  });
  worker.join();
  ASSERT_TRUE(WaitFor([&] { return Console().Lines().rowCount() == nLines; }, 10s));
  for (int i = 0; i < nLines; i += 97)
    EXPECT_TRUE(Console().Lines().Line(i).endsWith(QStringLiteral(", %1").arg(i))) << i;
  EXPECT_LE(nInsertions, 3);
}

// "Clear List..." during a run empties table and list at once; the run
// goes on and lists the printers that answer afterwards.
TEST_F(DebugConsoleSlowRun, ClearListDuringRunStartsTheListAfresh) {
  const std::vector<SimPrinter> printers = {
      {"10.77.16.1", "02-00-5E-00-00-01", "Quill-1", "Kestrel 2", "255.255.0.0", "10.77.0.1", "1"}};
  // The printer answers the first discovery request only; the test hands in
  // its next answer after the list was cleared, while the discovery phase
  // still listens, so the case does not depend on how fast the machine is;
  // then the run goes on without waiting.
  int discoveries = 0;
  m_pTransport->m_Responder = PrinterResponder(printers, [&discoveries](const SimPrinter&, const std::wstring& r) {
    return r == L"<ZQ><0000>" && ++discoveries > 1;
  });
  CDeviceListModel& rows = m_pDlg->DeviceList().Model();
  QTest::mouseClick(m_pDlg->Item<QAbstractButton>(CLumoraDlg::IDC_START), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return rows.rowCount() == 2; }, 10s));
  ASSERT_TRUE(m_pDlg->IsRunActive());
  auto* pClear = Console().Item<QAbstractButton>(CZqDebugDld::IDC_CLEAR_LIST);
  ASSERT_TRUE(pClear->isVisible() && pClear->isEnabled());
  QTest::mouseClick(pClear, Qt::LeftButton);
  EXPECT_EQ(rows.rowCount(), 1);
  EXPECT_EQ(m_pDlg->GetDeviceCount(), 0u);
  std::deque<Reception> again;
  QueueAnswers(printers, L"<ZQ><0000>", L"", nullptr, again);
  m_pTransport->Push(again.front());
  m_pTransport->StopWaiting();

  ASSERT_TRUE(WaitFor([&] { return !m_pDlg->IsRunActive() && m_pDlg->Item<QAbstractButton>(CLumoraDlg::IDC_START)->isEnabled(); }, 30s));
  ASSERT_EQ(m_pDlg->GetDeviceCount(), 1u);
  ASSERT_EQ(rows.rowCount(), 2);
  EXPECT_EQ(rows.index(1, 0).data().toString(), QStringLiteral("Quill-1"));
}
