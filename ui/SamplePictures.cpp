#include "SamplePictures.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSaveFile>
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
        QSaveFile target(path);
        // Unbuffered, so that a write the disk cuts short shows here (see
        // writeSnippetFile).
        if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
            || target.write(source.readAll()) != source.size() || !target.commit()) {
            result.problem = QStringLiteral("无法在文件夹 %1 中写入“%2”：%3")
                                 .arg(QDir::toNativeSeparators(folder), name, target.errorString());
            return result;
        }
        ++result.written;
    }
    return result;
}

QString chooseSampleFolder(QWidget* parent)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("选择保存示例图片的文件夹"),
                                             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}
