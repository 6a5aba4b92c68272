// The totals panes' tables: the wishes' columns and the desired staffing's rows
// come only with a workbook that sets them, with the figures of the totals.
#include <QStandardItemModel>
#include <QtTest>

#include "check/roster_totals.h"
#include "gui/totals_models.h"
#include "support/model_builder.h"

using tsumiki::gui::DayTotalsModel;
using tsumiki::gui::MemberTotalsModel;

class TotalsModelsTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void WishesAndDesiredOnlyWhereSet();
};

namespace {

// Four days, two duties, three members: member 1 wishes for T1 on day 1 and gets
// it; T1 wants three on day 1 (two come).
tsumiki::gui::JudgedMonth Month(bool extras) {
  tsumiki::testing::ModelBuilder builder(4, 2, 3);
  builder.Need(1, 1, 2).Assign(1, 1, 1).Assign(2, 1, 1);
  tsumiki::ExtraConditions& x = builder.model().Extra;
  if (extras) {
    x.WishDuty(1, 1) = 1;
    x.WishWeight(1, 1) = 5;
    x.DesiredStaff(1, 1) = 3;
    x.HasSoft = true;
  }
  tsumiki::gui::JudgedMonth month;
  month.readable = true;
  month.model = builder.Build();
  month.labels.duty_names = {"日勤", "夜勤"};
  month.totals = tsumiki::CountRosterTotals(month.model);
  // Time_Table from C3: sheet row r (0-based) from 1 on is member r, column c day c.
  month.roster = {0, 3, 3, 5, 6};
  return month;
}

}  // namespace

void TotalsModelsTest::WishesAndDesiredOnlyWhereSet() {
  QStandardItemModel sheet(8, 8);
  for (const bool extras : {false, true}) {
    const tsumiki::gui::JudgedMonth month = Month(extras);
    MemberTotalsModel members(month, sheet, 1);
    DayTotalsModel days(month, sheet, 1);
    members.Refresh({});
    days.Refresh({});
    QCOMPARE(members.columnCount(), extras ? 2 + 5 + 2 : 2 + 5);
    QCOMPARE(days.rowCount(), extras ? 2 + 1 : 2);
    if (!extras) continue;
    QCOMPARE(members.headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("希望○"));
    QCOMPARE(members.index(1, 7).data().toInt(), 1);  // member 1: granted
    QCOMPARE(members.index(1, 8).data().toInt(), 0);  // and none missed
    QCOMPARE(days.headerData(2, Qt::Vertical, Qt::DisplayRole).toString(),
             QStringLiteral("日勤 人数/希望"));
    QCOMPARE(days.index(2, 1).data().toString(), QStringLiteral("2/3"));
    QVERIFY(days.index(2, 1).data(Qt::BackgroundRole).isValid());
    QVERIFY(!days.index(2, 2).data().isValid());  // no desired staffing on day 2
  }
}

QTEST_GUILESS_MAIN(TotalsModelsTest)
#include "totals_models_test.moc"
