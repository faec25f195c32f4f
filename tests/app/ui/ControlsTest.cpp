// The owner-drawn controls and the IP address control.
#include "CButtonST.h"
#include "CIPAddressCtrl.h"
#include "CLedButton.h"
#include "LumoraResources.h"
#include "UiTestSupport.h"

#include <QLineEdit>

namespace {
class Controls : public ::testing::Test {
 protected:
  Controls() { UiApp(); }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int m_nPaints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* pEvent) override {
    m_nPaints += pEvent->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
};
}  // namespace

TEST_F(Controls, ShiftColorKeepsTheHue) {
  struct Case {
    QColor start;
    int nIndex, nShade;
    DWORD dwResult;
    QColor expected;
  };
  const Case cases[] = {
      {QColor(240, 200, 100), 0, 30, CButtonST::BTNST_OK, QColor(255, 215, 115)},
      {QColor(40, 40, 40), 0, 30, CButtonST::BTNST_OK, QColor(70, 70, 70)},
      {QColor(30, 100, 200), 2, -50, CButtonST::BTNST_OK, QColor(0, 70, 170)},
      {QColor(40, 40, 40), 6, 30, CButtonST::BTNST_INVALIDINDEX, QColor(40, 40, 40)},
      {QColor(40, 40, 40), 0, 256, CButtonST::BTNST_BADPARAM, QColor(40, 40, 40)},
      {QColor(40, 40, 40), 0, -256, CButtonST::BTNST_BADPARAM, QColor(40, 40, 40)},
  };
  for (const Case& c : cases) {
    CButtonST button;
    const int nColor = c.nIndex < CButtonST::BTNST_MAX_COLORS ? c.nIndex : 0;
    button.SetColor(nColor, c.start, false);
    EXPECT_EQ(button.ShiftColor(c.nIndex, c.nShade, false), c.dwResult) << c.nIndex << " " << c.nShade;
    EXPECT_EQ(button.GetColor(nColor), c.expected) << c.nIndex << " " << c.nShade;
  }
}

TEST_F(Controls, LinkButtonOpensItsLinkOnlyWhenItHasOne) {
  std::vector<QUrl> opened;
  DesktopUrlHook hook([&](const QUrl& url) { opened.push_back(url); return true; });
  CButtonST button(QStringLiteral("site"));
  button.resize(80, 30);
  button.show();
  int nClicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] { ++nClicks; });
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_TRUE(opened.empty());
  button.AssignLink(QStringLiteral("http://www.zqprinters.example/"));
  QTest::mouseClick(&button, Qt::LeftButton);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.zqprinters.example/")));
  EXPECT_EQ(nClicks, 2);  // the parent still hears every click
}

TEST_F(Controls, LampRedrawsOnlyWhenItsStateChanges) {
  CLedButton lamp(QStringLiteral("RXLife"));
  lamp.SetLedLayout(true, 0, true);
  lamp.resize(60, 20);
  lamp.SetLedImage(LumoraResources::Bitmap(LumoraResources::kLampReceive), LumoraResources::kLampWidth);
  EXPECT_EQ(lamp.LampPosition(), QPoint(1, 10 - 7));
  lamp.show();
  QCoreApplication::processEvents();
  PaintCounter counter(lamp);
  EXPECT_EQ(lamp.SetLedOn(0), 0);
  EXPECT_EQ(counter.m_nPaints, 0);
  EXPECT_EQ(lamp.SetLedOn(1), 1);
  EXPECT_EQ(counter.m_nPaints, 1);  // at once, not at the next event loop pass
  EXPECT_EQ(lamp.IsLedOn(), 1);
  EXPECT_FALSE(lamp.isChecked());  // self-managed: the button's own check state is not used
}

TEST_F(Controls, AddressControlFieldsAndFocus) {
  CIPAddressCtrl control;
  control.resize(120, 20);
  control.show();
  QApplication::setActiveWindow(&control);
  control.SetAddress(QStringLiteral("nn nn nn nn"));
  EXPECT_EQ(control.FilledFieldCount(), 0);
  EXPECT_EQ(control.GetAddress(), QStringLiteral("0.0.0.0"));
  control.SetAddress(QStringLiteral("192.168.1"));
  EXPECT_EQ(control.FilledFieldCount(), 3);
  EXPECT_TRUE(control.IsFieldBlank(3));

  // Typing: a dot moves on, a third digit too; values above 255 are refused.
  control.SetAddress({});
  control.SetFieldFocus(0);
  QTest::keyClicks(control.Field(0), QStringLiteral("10."));
  EXPECT_TRUE(control.Field(1)->hasFocus());
  QTest::keyClicks(control.Field(1), QStringLiteral("254"));
  EXPECT_TRUE(control.Field(2)->hasFocus());
  QTest::keyClicks(control.Field(2), QStringLiteral("256"));
  EXPECT_EQ(control.Field(2)->text(), QStringLiteral("25"));
  EXPECT_EQ(control.GetAddress(), QStringLiteral("10.254.25.0"));
  control.SetFieldFocus(3);
  EXPECT_TRUE(control.Field(3)->hasFocus());
}

TEST_F(Controls, ReportColumnsShareTheClientWidth) {
  TestApp app;
  TestDlg dlg(app.Get(), std::make_unique<FakeTransport>());
  dlg.OnInitDialog();
  dlg.show();
  QTreeView* pReport = dlg.DeviceList().ReportView();
  const int nFifth = pReport->viewport()->width() / 5;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(dlg.DeviceList().ColumnWidth(i), nFifth) << i;
}
