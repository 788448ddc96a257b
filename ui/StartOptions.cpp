#include "StartOptions.h"

#include <QCommandLineParser>

StartOptions readStartOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("饰铺通：淘宝店铺装修代码生成"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption preset(QStringLiteral("preset"), QStringLiteral("在名为 <名称> 的方案中启动"),
                                    QStringLiteral("名称"));
    const QCommandLineOption import(QStringLiteral("import"), QStringLiteral("启动后导入方案文件 <文件>"),
                                    QStringLiteral("文件"));
    parser.addOption(preset);
    parser.addOption(import);
    parser.process(arguments);
    return { parser.value(preset), parser.value(import) };
}
