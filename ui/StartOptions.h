#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of this start.
struct StartOptions
{
    QString preset; // --preset 名称
    QString importFile; // --import FILE
};

// Ends the program with the usage on --help, --version or a wrong option.
StartOptions readStartOptions(const QStringList& arguments);
