#include "SnippetFile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString suggestedSnippetFileName(const QString& templateFile)
{
    const QString base = QFileInfo(templateFile).completeBaseName();
    const bool styleSheet = base.endsWith(QLatin1String("-css"));
    return base + (styleSheet ? QStringLiteral(".css") : QStringLiteral(".html"));
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* reason,
                    const std::function<bool(QSaveFile&)>& commit)
{
    QSaveFile file(path);
    // Unbuffered: a buffered write that the disk cuts short is flushed only
    // at commit(), and Qt 6.4 then reports the short file as saved.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size()
        && commit(file))
        return true;
    *reason = file.errorString();
    return false;
}

QString writeSnippetFile(const QString& path, const QString& snippet)
{
    QString reason;
    if (writeWholeFile(path, snippet.toUtf8(), &reason))
        return QString();
    return QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(path), reason);
}

QString chooseSnippetFile(QWidget* parent, const QString& suggestedName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString filter = suggestedName.endsWith(QLatin1String(".css"))
        ? QStringLiteral("CSS 样式表 (*.css);;所有文件 (*)")
        : QStringLiteral("网页代码 (*.html *.htm);;所有文件 (*)");
    QFileDialog dialog(parent, QStringLiteral("保存代码到文件"), QDir(folder).filePath(suggestedName), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(suggestedName).suffix());
    // Qt's own dialog speaks the window's language too; a desktop's native
    // dialog brings its own.
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("保存位置："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("文件名："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("保存类型："));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("保存"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
