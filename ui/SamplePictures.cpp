#include "SamplePictures.h"

#include "ControlInventory.h"
#include "Notifier.h"
#include "SnippetFile.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

// A banner is named after its caption in the banner dialog, and by its
// size: "客服中心+售前客服-204x80.png".
SamplePicture banner(const QString& field)
{
    const ControlSpec& spec = *findControl(field);
    const QSize size = pictureSize(spec);
    const QString caption = QString(findControl(spec.label)->text).remove(QStringLiteral("图片地址"));
    return { QStringLiteral("%1-%2x%3.png").arg(caption, QString::number(size.width()), QString::number(size.height())),
             field };
}

} // namespace

const QList<SamplePicture>& samplePictures()
{
    static const QList<SamplePicture> samples {
        { QStringLiteral("头像A-50x50.png"), QStringLiteral("Text4_1") },
        { QStringLiteral("头像B-50x50.png"), QStringLiteral("Text4_2") },
        { QStringLiteral("头像C-50x50.png"), QStringLiteral("Text4_4") },
        { QStringLiteral("头像D-50x50.png"), QStringLiteral("Text4_5") },
        { QStringLiteral("头像E-50x50.png"), QStringLiteral("Text4_6") },
        banner(QStringLiteral("Text1_1")),
        banner(QStringLiteral("Text1_2")),
        banner(QStringLiteral("Text1_3")),
        { QStringLiteral("滚动条背景-950x80.png"), QStringLiteral("Text8") },
    };
    return samples;
}

void exportSamplesTelling(const QString& folder, Notifier& notifier)
{
    QStringList present;
    for (const SamplePicture& sample : samplePictures()) {
        if (QFileInfo::exists(QDir(folder).filePath(sample.file)))
            present << sample.file;
    }
    enum : qsizetype { ReplaceAll, KeepPresent, Cancel };
    const qsizetype choice = present.isEmpty() ? qsizetype(ReplaceAll)
        : notifier.choose(QStringLiteral("提示"),
                          QStringLiteral("文件夹 %1 里已有 %2 张示例图片：\n%3\n要全部替换，还是保留已有的文件、只写出其余的？")
                              .arg(QDir::toNativeSeparators(folder), QString::number(present.size()),
                                   present.join(QLatin1Char('\n'))),
                          { QStringLiteral("全部替换"), QStringLiteral("保留已有文件"), QStringLiteral("取消") });
    if (choice == Cancel)
        return;
    const QDir samples(QStringLiteral(":/samples"));
    for (const SamplePicture& sample : samplePictures()) {
        const QString& name = sample.file;
        const QString path = QDir(folder).filePath(name);
        if (choice == KeepPresent && present.contains(name))
            continue;
        QFile source(samples.filePath(name));
        QString reason = source.open(QIODevice::ReadOnly) ? QString() : source.errorString();
        if (!reason.isEmpty() || !writeWholeFile(path, source.readAll(), &reason)) {
            notifier.warn(QStringLiteral("导出失败"), QStringLiteral("无法在文件夹 %1 中写入“%2”：%3")
                                                      .arg(QDir::toNativeSeparators(folder), name, reason));
            return;
        }
    }
    notifier.inform(QStringLiteral("示例图片已导出"),
                    QStringLiteral("示例图片在文件夹 %1 里。请把它们上传到店铺的图片空间，再把得到的图片地址"
                                   "粘贴到对应的输入框；客服横幅的地址请在“客服在线”页右键菜单的"
                                   "“修改客服横幅图片地址…”里填写。")
                        .arg(QDir::toNativeSeparators(folder)));
}

QString chooseSampleFolder(QWidget* parent)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("选择保存示例图片的文件夹"),
                                             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}
