#include "PresetTransfer.h"

#include "Notifier.h"
#include "SnippetFile.h"

#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QStandardPaths>

ImportOutcome importPresetFile(PresetStore& store, const QString& path, Notifier& notifier,
                               const std::function<NameClash(const QString&)>& clash)
{
    const QString title = QStringLiteral("导入方案");
    const QString file = QDir::toNativeSeparators(path);
    const PresetFileContent content = readPresetFile(path);
    if (!content.problem.isEmpty()) {
        notifier.warn(title, QStringLiteral("无法导入 %1：\n%2。\n没有导入任何方案。").arg(file, content.problem));
        ImportOutcome refused;
        refused.problem = content.problem;
        return refused;
    }
    const ImportOutcome outcome = store.import(content.presets, clash);
    if (!outcome.problem.isEmpty()) {
        notifier.warn(title, QStringLiteral("无法导入 %1：写入 %2 失败。\n没有导入任何方案。").arg(file, outcome.problem));
    } else if (!outcome.cancelled) {
        QString message = QStringLiteral("已从 %1 导入 %2 个方案：%3。")
                              .arg(file)
                              .arg(outcome.imported.size())
                              .arg(outcome.imported.join(QStringLiteral("、")));
        if (!outcome.unknownFields.isEmpty())
            message += QStringLiteral("\n以下字段本程序没有，已跳过：")
                + outcome.unknownFields.join(QStringLiteral("、"));
        notifier.inform(title, message);
    }
    return outcome;
}

bool exportPresetFile(const PresetStore& store, const QStringList& ids, const QString& path, Notifier& notifier)
{
    const QString title = QStringLiteral("导出方案");
    QStringList damaged;
    const QList<Preset> presets = store.exportable(ids, &damaged);
    QString reason;
    if (presets.isEmpty() || !writeWholeFile(path, presetFileBytes(presets), &reason)) {
        if (presets.isEmpty())
            reason = QStringLiteral("方案文件已损坏");
        notifier.warn(title, QStringLiteral("无法写入文件 %1：%2\n原有的文件没有改动。").arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    QString message = QStringLiteral("已将 %1 个方案导出到 %2。").arg(presets.size()).arg(QDir::toNativeSeparators(path));
    if (!damaged.isEmpty())
        message += QStringLiteral("\n以下方案的文件已损坏，没有导出：") + damaged.join(QStringLiteral("、"));
    if (damaged.isEmpty())
        notifier.inform(title, message);
    else
        notifier.warn(title, message);
    return true;
}

QString choosePresetFile(QWidget* parent, const QString& suggestedName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const bool saving = !suggestedName.isEmpty();
    QFileDialog dialog(parent, saving ? QStringLiteral("导出方案") : QStringLiteral("导入方案"),
                       saving ? QDir(folder).filePath(suggestedName) : folder,
                       QStringLiteral("饰铺通方案 (*.json);;所有文件 (*)"));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    dialog.setLabelText(QFileDialog::LookIn, saving ? QStringLiteral("保存位置：") : QStringLiteral("查找范围："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("文件名："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("文件类型："));
    dialog.setLabelText(QFileDialog::Accept, saving ? QStringLiteral("保存") : QStringLiteral("打开"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
