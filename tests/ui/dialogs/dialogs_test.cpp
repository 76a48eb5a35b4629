// The real dialogs (QtDialogs), driven from inside their own modal loop, and
// the file name a file dialog holds between uses.
#include "ui/dialogs/dialogs.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "ui/dialogs/file_name_dialog.hpp"
#include "ui/dialogs/scripted/scripted_dialogs.hpp"

using namespace mirvok::ui;

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    // A batch with "del" clear appends to the file chosen, so the save dialog
    // must take an existing file as it is, without a "replace it?" question.
    void save_dialog_takes_an_existing_file_without_asking() {
        QTemporaryDir dir;
        const QString existing = dir.filePath("output.csv");
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("NEW;\n");
        file.close();

        bool sawFileDialog = false;
        QStringList questions;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) {
                if (modal) modal->close();
                return;
            }
            sawFileDialog = true;
            // Any question the dialog asks on accepting is answered "yes".
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    questions << box->text();
                    if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                        yes->click();
                    else
                        box->accept();
                }
            });
            dialog->selectFile(existing);
            static_cast<QDialog*>(dialog)->accept();  // as "Save" does
        });
        QtDialogs dialogs;
        const QString chosen = dialogs.askSaveFileName(nullptr, existing);
        QVERIFY(sawFileDialog);
        QCOMPARE(questions, QStringList{});
        QCOMPARE(chosen, existing);
        QCOMPARE(QFile(existing).size(), 5);  // the dialog itself touches nothing
    }

    void file_dialogs_keep_their_name_and_the_save_dialog_adds_csv() {
        ScriptedDialogs dialogs;
        dialogs.saveAnswers = {"/tmp/run", "/tmp/run.txt"};
        FileNameDialog save(FileNameDialog::Mode::Save, "csv");
        QVERIFY(save.execute(dialogs, nullptr));
        QCOMPARE(save.fileName(), QString("/tmp/run.csv"));
        QVERIFY(save.execute(dialogs, nullptr));
        QCOMPARE(save.fileName(), QString("/tmp/run.txt"));
        QVERIFY(!save.execute(dialogs, nullptr));  // cancelled: the name stays
        QCOMPARE(save.fileName(), QString("/tmp/run.txt"));
        QCOMPARE(dialogs.saveStarts.last(), QString("/tmp/run.txt"));

        dialogs.openAnswers = {"/tmp/train"};
        FileNameDialog open(FileNameDialog::Mode::Open);
        QVERIFY(open.execute(dialogs, nullptr));
        QCOMPARE(open.fileName(), QString("/tmp/train"));
        QCOMPARE(withDefaultExtension("/tmp/a.b/c", "csv"), QString("/tmp/a.b/c.csv"));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
