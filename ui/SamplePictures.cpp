#include "SamplePictures.h"

#include "SnippetFile.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

const QList<SamplePicture>& samplePictures()
{
    static const QList<SamplePicture> samples {
        { QStringLiteral("头像A-50x50.png"), QStringLiteral("Text4_1") },
        { QStringLiteral("头像B-50x50.png"), QStringLiteral("Text4_2") },
        { QStringLiteral("头像C-50x50.png"), QStringLiteral("Text4_4") },
        { QStringLiteral("头像D-50x50.png"), QStringLiteral("Text4_5") },
        { QStringLiteral("头像E-50x50.png"), QStringLiteral("Text4_6") },
        { QStringLiteral("客服横幅1-204x80.png"), QStringLiteral("Text1_1") },
        { QStringLiteral("客服横幅2-40x80.png"), QStringLiteral("Text1_2") },
        { QStringLiteral("客服横幅3-40x80.png"), QStringLiteral("Text1_3") },
        { QStringLiteral("滚动条背景-950x80.png"), QStringLiteral("Text8") },
    };
    return samples;
}

SampleExport exportSamplePictures(const QString& folder, const std::function<bool(const QString& name)>& replace)
{
    SampleExport result;
    const QDir samples(QStringLiteral(":/samples"));
    for (const SamplePicture& sample : samplePictures()) {
        const QString& name = sample.file;
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
