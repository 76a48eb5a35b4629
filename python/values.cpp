#include "values.hpp"

#include "batch/batch_setup.hpp"

namespace mirvok::python {

std::vector<py::arg_v> valueKeywords(std::initializer_list<ValueGroup> groups) {
    const BatchSetup defaults;
    std::vector<py::arg_v> keywords;
    for (const ValueRow* row : valueRows(groups)) {
        const double value = row->get(defaults);
        if (row->kind == ValueKind::Integer)
            keywords.push_back(py::arg(row->keyword.c_str()) = static_cast<long long>(value));
        else
            keywords.push_back(py::arg(row->keyword.c_str()) = value);
    }
    return keywords;
}

std::vector<py::arg_v> joined(std::vector<std::vector<py::arg_v>> lists) {
    std::vector<py::arg_v> all;
    for (std::vector<py::arg_v>& list : lists)
        for (py::arg_v& arg : list) all.push_back(std::move(arg));
    return all;
}

std::string valuesDoc(std::initializer_list<ValueGroup> groups) {
    std::string doc = "Values (keyword = default):";
    for (const ValueRow* row : valueRows(groups))
        doc += "\n  " + row->keyword + " = " + row->defaultText +
               (row->unit.empty() ? "" : " " + row->unit) + ": " + row->help;
    return doc;
}

NamedTexts valueTexts(const Arguments& arguments, std::initializer_list<ValueGroup> groups) {
    NamedTexts texts;
    for (const ValueRow* row : valueRows(groups))
        texts[row->option] = numberText(arguments[row->keyword], row->keyword);
    return texts;
}

std::vector<std::string> segmentTexts(py::handle segments) {
    std::vector<std::string> texts;
    if (segments.is_none()) return texts;
    for (py::handle item : segments) {
        const auto segment = py::reinterpret_borrow<py::sequence>(item);
        if (!py::isinstance<py::sequence>(item) || segment.size() != 3)
            refuse("segments", "each segment is (end_step, isi, cv)");
        texts.push_back(numberText(segment[0], "segments") + ":" +
                        numberText(segment[1], "segments") + ":" +
                        numberText(segment[2], "segments"));
    }
    return texts;
}

}  // namespace mirvok::python
