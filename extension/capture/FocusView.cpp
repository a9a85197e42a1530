#include "extension/capture/FocusView.h"

namespace vantor {

KIT_REGISTER_CLASS(FocusView);

}
