#pragma once

#include <QList>
#include <QString>

class Notifier;
class QWidget;

// A sample picture and the field whose address it stands in for: it is drawn
// at that field's laid-out size.
struct SamplePicture
{
    QString file;  // in :/samples, and the name it is exported under
    QString field;
};
const QList<SamplePicture>& samplePictures();

// Writes the sample pictures for the owner's image space into `folder`, each
// file whole or not at all, asking the owner before a file already there is
// replaced. Stops at the first file that cannot be written; a box tells
// where the pictures are, or which file could not be written and why.
void exportSamplesTelling(const QString& folder, Notifier& notifier);

// Asks for the folder to export into; empty when the user cancels.
QString chooseSampleFolder(QWidget* parent);
