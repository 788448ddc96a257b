#include "SamplePictures.h"

#include "SnippetFile.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

SampleExport exportSamplePictures(const QString& folder, const std::function<bool(const QString& name)>& replace)
{
    SampleExport result;
    const QDir samples(QStringLiteral(":/samples"));
    for (const QString& name : samples.entryList(QDir::Files, QDir::Name)) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path) && !replace(name))
            continue;
        QFile source(samples.filePath(name));
        QString reason = source.open(QIODevice::ReadOnly) ? QString() : source.errorString();
        if (!reason.isEmpty() || !writeWholeFile(path, source.readAll(), &reason)) {
            result.problem = QStringLiteral("无法在文件夹 %1 中写入“%2”：%3")
                                 .arg(QDir::toNativeSeparators(folder), name, reason);
            return result;
        }
    }
    return result;
}

QString chooseSampleFolder(QWidget* parent)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("选择保存示例图片的文件夹"),
                                             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}
