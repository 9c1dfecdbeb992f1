// What the editor's lists and boxes show, compared whole so that a failure
// prints all of it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct ShownTable {
    std::vector<std::string> apps, versions;
    long long appRow = -2, versionRow = -2;  // the lists' selections
    std::string boxes;                       // the checked boxes, as the test writes them
    bool operator==(const ShownTable& o) const
    {
        return apps == o.apps && versions == o.versions && appRow == o.appRow && versionRow == o.versionRow &&
               boxes == o.boxes;
    }
};

inline std::ostream& operator<<(std::ostream& os, const ShownTable& s)
{
    os << "apps:";
    for (const std::string& a : s.apps)
        os << " " << a;
    os << " (row " << s.appRow << "); versions:";
    for (const std::string& v : s.versions)
        os << " " << v;
    return os << " (row " << s.versionRow << "); boxes " << s.boxes;
}
