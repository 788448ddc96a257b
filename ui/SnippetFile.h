#pragma once

#include <QSaveFile>
#include <QString>

#include <functional>

class QWidget;

// "contact-block.txt" → "contact-block.html", "navigation-css.txt" → "navigation-css.css".
QString suggestedSnippetFileName(const QString& templateFile);

// All or nothing: an earlier file stays unless every byte arrived. `commit`
// puts the new file in place; tests make it fail.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* reason,
                    const std::function<bool(QSaveFile&)>& commit = &QSaveFile::commit);

// The snippet's exact UTF-8 bytes; empty when written, otherwise why not.
QString writeSnippetFile(const QString& path, const QString& snippet);
// Empty when the user cancels.
QString chooseSnippetFile(QWidget* parent, const QString& suggestedName);
