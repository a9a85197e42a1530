#include "extension/hooks/TimeStamp.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void createAndShowTimeStampLbl(const kit::Action&) { NOT_YET("time stamp: createAndShowTimeStampLbl"); }

void hideAndDestroyTimeStampLbl() { NOT_YET("time stamp: hideAndDestroyTimeStampLbl"); }

void checkTimestampLable_VS_Filters() { NOT_YET("time stamp: checkTimestampLable_VS_Filters"); }

}
