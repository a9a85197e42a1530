#pragma once

namespace vantor {

// Resets the process-wide state to its start values. Run once, at start-up;
// later camera sessions begin with what the teardown steps left.
void InitVariables();

}
