#include "TemplateDescription.h"

namespace tpl {

std::vector<TemplateSpec> allTemplates() {
    std::vector<TemplateSpec> all = quotationTemplates();
    all.push_back(statisticsTemplate());
    for (TemplateSpec& t : recordTemplates())
        all.push_back(std::move(t));
    for (TemplateSpec& t : catalogTemplates())
        all.push_back(std::move(t));
    return all;
}

} // namespace tpl
