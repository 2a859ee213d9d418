// The message boxes and file choosers of the File menu and the restore at
// start, and the construction dialogs, as the answers of Questions.
#include "app/dialog_questions.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/form_dialogs.h"
#include "app/recovery_texts.h"
#include "app/shell_texts.h"
#include "dialogs/UnitCBox.h"
#include "dialogs/UnitInp1.h"
#include "dialogs/UnitInp2.h"
#include "dialogs/UnitMoji.h"

namespace {

// "png" of "*.png (*.png)".
QString filterSuffix(const QString& filter)
{
    const qsizetype dot = filter.indexOf(QLatin1Char('.'));
    const qsizetype end = filter.indexOf(QLatin1Char(' '), dot);
    return dot < 0 ? QString() : filter.mid(dot + 1, end < 0 ? -1 : end - dot - 1);
}

QString chooseSaveFile(QWidget& parent, const QString& start, const char* filter, const char* suffix)
{
    QFileDialog dialog(&parent, QString(), start, QString::fromUtf8(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension gets the chosen type's one, before
    // the dialog asks about overwriting.
    dialog.setDefaultSuffix(QString::fromLatin1(suffix));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& chosen) { dialog.setDefaultSuffix(filterSuffix(chosen)); });
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                  : QString();
}

void askFilesWithDialogs(Questions& q, QWidget& parent)
{
    QWidget* const p = &parent;
    q.unsavedChanges = [p] {
        const auto button = QMessageBox::question(
            p, QString::fromUtf8(ShellText::kUnsavedTitle), QString::fromUtf8(ShellText::kUnsavedQuestion),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        if (button == QMessageBox::Save)
            return UnsavedAnswer::Save;
        return button == QMessageBox::Discard ? UnsavedAnswer::Discard : UnsavedAnswer::Cancel;
    };
    q.openDrawing = [p](const QString& start) {
        return QFileDialog::getOpenFileName(p, QString(), start, QString::fromUtf8(ShellText::kOpenFilter));
    };
    q.saveDrawing = [p](const QString& start) { return chooseSaveFile(*p, start, ShellText::kDrawingFilter, "mt"); };
    q.saveImage = [p](const QString& start) { return chooseSaveFile(*p, start, ShellText::kImageFilter, "bmp"); };
    q.error = [p](const QString& title, const QString& text) { QMessageBox::warning(p, title, text); };
    q.restoreDrawing = [p](const QString& question) {
        return QMessageBox::question(p, QString::fromUtf8(RecoveryText::kTitle), question,
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
               == QMessageBox::Yes;
    };
}

void askValuesWithDialogs(Questions& q, FormDialogs& dialogs)
{
    FormDialogs* const d = &dialogs;
    q.numbers = [d](NumericRows& rows) { return d->FormInp1()->Execute(rows); };
    q.corners = [d](ConstructionParameters& p) { return d->FormCBox()->Execute(p); };
    q.text = [d](ConstructionParameters& p) { return d->FormMoji()->Execute(p); };
    q.polyPoint = [d](int n, PolyPointChoice& c) { return d->FormInp2()->Execute(n, c); };
}

}  // namespace

Questions DialogQuestions(QWidget& parent, FormDialogs& dialogs)
{
    Questions q;
    askFilesWithDialogs(q, parent);
    askValuesWithDialogs(q, dialogs);
    return q;
}
