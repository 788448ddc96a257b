#pragma once

#include <QSaveFile>
#include <QString>

#include <functional>

class QWidget;

// A snippet kept in a file when the clipboard would not take it.

// The file name offered for a generator's snippet, from its template file:
// "contact-block.txt" → "contact-block.html", the navigation style sheet
// "navigation-css.txt" → "navigation-css.css".
QString suggestedSnippetFileName(const QString& templateFile);

// Writes `bytes` to `path` all or nothing: an earlier file of that name stays
// as it was unless every byte arrived. False, and why in `reason`, otherwise.
// `commit` puts the new file in place; tests make it fail.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* reason,
                    const std::function<bool(QSaveFile&)>& commit = &QSaveFile::commit);

// Writes the snippet's exact UTF-8 bytes (CR LF and tabs as composed) to
// `path`, all or nothing. Empty when written, otherwise why not.
QString writeSnippetFile(const QString& path, const QString& snippet);

// The save dialog, starting in the user's documents folder with the
// suggested name; empty when the user cancels.
QString chooseSnippetFile(QWidget* parent, const QString& suggestedName);
