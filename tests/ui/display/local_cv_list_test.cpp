// VariBox: the lines of the non-zero local windows, made as they are shown,
// and a view that asks only for the lines in sight, however many there are.
#include "ui/display/local_cv_list.hpp"

#include <QScrollBar>
#include <QtTest>

#include "ui/window/line_list_view.hpp"
#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

// A list of `rows` lines that counts the lines asked for.
class CountingList final : public QAbstractListModel {
  public:
    explicit CountingList(int rows) : rows_(rows) {}
    int rowCount(const QModelIndex& = QModelIndex()) const override { return rows_; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return {};
        ++asked;
        return QString::number(index.row());
    }
    mutable int asked = 0;

  private:
    int rows_;
};

}  // namespace

class LocalCvListTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // Windows of local CV 0 are charted but not listed, wherever they lie.
    void lines_skip_the_windows_of_local_cv_0() {
        LineListView view;
        LocalCvList list(&view);
        list.start(7);
        for (double lcv : {0.0, 0.5, 0.0, 0.0, 0.25, 0.0, 0.125})
            list.window(5 + list.windows().values.size(), lcv);
        QCOMPARE(list.rowCount(), 0);  // shown only once flushed
        list.flush();
        QCOMPARE(listLines(&view), (QStringList{"7.: 0.50000", "10.: 0.25000", "12.: 0.12500"}));
        QCOMPARE(list.windows().firstSpike, std::size_t{5});
        QCOMPARE(list.windows().values.size(), std::size_t{7});
        list.start(0);
        list.flush();
        QCOMPARE(list.rowCount(), 0);
    }

    void the_view_asks_only_for_the_lines_in_sight() {
        CountingList lines(10'000'000);
        LineListView view;
        view.resize(105, 113);
        view.setModel(&lines);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QApplication::processEvents();
        QCOMPARE(view.firstLineShown() + view.verticalScrollBar()->pageStep(), 10'000'000);
        QVERIFY2(lines.asked < 100, qPrintable(QString::number(lines.asked)));
    }
};

QTEST_MAIN(LocalCvListTest)
#include "local_cv_list_test.moc"
