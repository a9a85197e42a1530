#include "extension/capture/ExposureView.h"

namespace vantor {

KIT_REGISTER_CLASS(ExposureView);

}
