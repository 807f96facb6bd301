#include "model/service/service_password.h"

namespace r57::service {

bool IsServicePassword(const std::string& entry) {
    return entry == "482913";
}

} // namespace r57::service
