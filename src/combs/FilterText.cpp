#include "combs/FilterText.h"

namespace qx {

std::string TooManyVariantsMessage(std::string_view reason) {
    return std::string("Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!\r"
                       "Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и глубины, а "
                       "затем повторите попытку.\r\r") +
           std::string(reason);
}

} // namespace qx
