#pragma once

#include "DbError.h"

/**
 * Runs one step of a routine whose steps may each fail alone: a database
 * failure is swallowed and the caller goes on with its next step. Returns
 * whether the step succeeded.
 */
template <class Step>
bool skipOnFailure(Step&& step) {
    try {
        step();
        return true;
    } catch (const DbError&) {
        return false;
    }
}
