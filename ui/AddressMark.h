#pragma once

class QLineEdit;

// Shows a warning sign inside `field`, at its right edge, whenever its value
// would break the snippet it goes into; the sign's tooltip, and the field's,
// say what is wrong and what to do. The sign (an action named
// "addressProblem") is made when first needed: the style's icon costs
// start-up tens of milliseconds, and sound values need none.
void markAddressProblems(QLineEdit* field);
