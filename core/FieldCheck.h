#pragma once

#include <QString>
#include <QStringView>

// How a field's value is checked as the owner types: by what it would break
// where it lands in the snippet.
enum class FieldCheck
{
    None,
    Address,   // a whole address in an HTML attribute
    Attribute, // inside an HTML attribute: a chat id, a colour
    Text,      // shown as the page's text: a nickname, the announcement
    Pixels,    // a number the snippet follows with "px"
    Number,    // a bare number, no unit
};

// What an address would break in the HTML attribute it lands in, known
// offline: one line per problem in the owner's words, empty when nothing is
// wrong.
QString addressProblem(QStringView value);

// One line per problem in the owner's words, each saying what to do; empty
// when nothing is wrong. One pass over the value: this runs at every keystroke.
QString fieldProblem(FieldCheck check, QStringView value);
