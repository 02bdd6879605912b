#pragma once

#include "base/MessageError.h"

/** A declaration record or file that cannot be made as the agency's layout asks. */
class RecordError : public MessageError {
public:
    using MessageError::MessageError;
};
