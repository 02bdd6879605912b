#pragma once

#include "DbError.h"

/**
 * Runs one step of a routine whose steps may each fail alone: a database
 * failure is swallowed and the caller goes on with its next step.
 */
template <class Step>
void skipOnFailure(Step&& step) {
    try {
        step();
    } catch (const DbError&) {
        // the routine goes on with its next step
    }
}
