#pragma once

#include <QList>
#include <QString>

#include <functional>

class Notifier;
class QWidget;

struct SampleExport
{
    QString problem; // empty when every file was written or kept
};

// A sample picture and the field whose address it stands in for: it is drawn
// at that field's laid-out size.
struct SamplePicture
{
    QString file;  // in :/samples, and the name it is exported under
    QString field;
};
const QList<SamplePicture>& samplePictures();

// Writes the sample pictures for the owner's image space into `folder`, each
// file whole or not at all. A file already there is replaced only when
// `replace` says so for its name. Stops at the first file that cannot be
// written and says which and why.
SampleExport exportSamplePictures(const QString& folder, const std::function<bool(const QString& name)>& replace);

// The same, asking the owner before a file is replaced, and telling in a box
// where the pictures are or why they are not.
void exportSamplesTelling(const QString& folder, Notifier& notifier);

// Asks for the folder to export into; empty when the user cancels.
QString chooseSampleFolder(QWidget* parent);
