#ifndef TARVO_TVALUESTEP_P_H
#define TARVO_TVALUESTEP_P_H

// Internal: marks a pick made by a spin or wheel step, so that an undo stack
// merges the steps on one row into one command.
struct TValueStep
{
    TValueStep() { ++s_depth; }
    ~TValueStep() { --s_depth; }
    TValueStep(const TValueStep&) = delete;
    TValueStep& operator=(const TValueStep&) = delete;
    static bool active() { return s_depth > 0; }
    static int s_depth;
};

#endif // TARVO_TVALUESTEP_P_H
