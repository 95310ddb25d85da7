// The file selection of the Qt front end: the standard file dialog.
#include "platform/uirt/qt/FileDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace uirt::qt {

QString chooseFile(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent, QString::fromStdString(request.title),
                       QString::fromStdString(request.directory));
    dialog.setAcceptMode(request.forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList patterns;
    for (const QString& p : QString::fromStdString(request.filter).split(u';', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty()) patterns << p.trimmed();
    QStringList filters;
    if (!patterns.isEmpty()) {
        const QString joined = patterns.join(u' ');
        filters << joined + QStringLiteral(" (") + joined + u')';
        if (patterns.front().startsWith(QStringLiteral("*.")))
            dialog.setDefaultSuffix(patterns.front().mid(2));
    }
    filters << QFileDialog::tr("All files (*)");
    dialog.setNameFilters(filters);
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

} // namespace uirt::qt
