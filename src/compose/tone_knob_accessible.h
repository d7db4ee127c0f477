#pragma once

// Lets screen readers see the tone knob as a slider with its value (its offset from home);
// safe to call more than once.
void InstallToneKnobAccessible();
