#pragma once

#include <QList>
#include <QString>

class Notifier;
class QWidget;

// A sample picture, drawn at the laid-out size of the field it stands in for.
struct SamplePicture
{
    QString file;  // in :/samples, and the name it is exported under
    QString field;
};
const QList<SamplePicture>& samplePictures();

// Each file whole or not at all; when the folder holds some already, asks
// once whether to replace them all, keep them, or cancel. Stops at the
// first failure. A box tells where the pictures are, or what failed and why.
void exportSamplesTelling(const QString& folder, Notifier& notifier);

// Empty when the user cancels.
QString chooseSampleFolder(QWidget* parent);
