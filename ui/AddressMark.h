#pragma once

class QAction;
class QLineEdit;

// Shows a warning sign inside `field`, at its right edge, whenever its value
// would break the snippet it goes into; the sign's tooltip, and the field's,
// say what is wrong and what to do. Returns the sign.
QAction* markAddressProblems(QLineEdit* field);
