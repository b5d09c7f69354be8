// The layers of the source tree, checked on every include of every source file.
//
// Layers run one way: app/ and report/ use chart/, compare/ and import/; those
// use components/; a component never reaches up. Every project include is
// written from the repository root, so the folder of an include names the
// layer it reaches. A new folder has to be added to the table below before
// its files can be included anywhere, which keeps the table the one place
// that says who may use whom.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Source folder -> folders its files may include from (itself included).
const std::map<std::string, std::set<std::string>>& allowedIncludes()
{
    static const std::set<std::string> components = {"components/platform", "components/sheet",
                                                      "components/sheetview", "components/chart"};
    static const std::map<std::string, std::set<std::string>> table = [] {
        std::map<std::string, std::set<std::string>> t;
        t["components/platform"] = {"components/platform"};
        t["components/sheet"] = {"components/sheet", "components/platform"};
        t["components/sheetview"] = {"components/sheetview", "components/sheet", "components/platform"};
        t["components/chart"] = {"components/chart", "components/platform"};
        // The import returns what it read; its callers update the chart job.
        t["import"] = {"import", "components/sheet", "components/platform"};
        t["import/helper"] = t["import"];
        t["chart"] = components;
        t["chart"].insert("chart");
        t["chart/widgets"] = t["chart"];
        t["chart/widgets"].insert("chart/widgets");
        t["compare"] = t["chart"];
        t["compare"].insert("compare");
        // The help window and its collections know nothing of the program's windows.
        t["help"] = {"help", "components/platform"};
        t["app"] = t["chart/widgets"];
        t["app"].insert({"import", "compare", "help", "app"});
        t["report"] = t["chart"];
        t["report"].insert({"import", "compare", "report"});
        return t;
    }();
    return table;
}

// Folders whose code must build without Qt Widgets.
const std::set<std::string> kWidgetFree = {"components/platform", "components/sheet", "import", "import/helper"};

std::string folderOf(const std::string& relativePath)
{
    return fs::path(relativePath).parent_path().generic_string();
}

struct Include {
    std::string target;
    bool angle = false;
    int line = 0;
};

std::vector<Include> includesOf(const fs::path& file)
{
    static const std::regex pattern(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
    std::vector<Include> result;
    std::ifstream in(file);
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        std::smatch m;
        if (std::regex_search(text, m, pattern))
            result.push_back({m[2].str(), m[1].str() == "<", line});
    }
    return result;
}

bool isWidgetHeader(const std::string& header)
{
    static const std::set<std::string> widgets = {"QWidget", "QApplication", "QMainWindow", "QDialog",
                                                  "QMessageBox", "QLabel", "QPushButton", "QLineEdit",
                                                  "QFileDialog", "QTableView", "QAbstractItemView"};
    return header.rfind("QtWidgets", 0) == 0 || widgets.count(header) > 0;
}

std::vector<std::string> productSources(const fs::path& root)
{
    std::vector<std::string> files;
    for (const char* top : {"app", "report", "import", "chart", "compare", "help", "components"}) {
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const auto ext = entry.path().extension();
            if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h"))
                files.push_back(fs::relative(entry.path(), root).generic_string());
        }
    }
    return files;
}

}  // namespace

TEST(Layering, EveryIncludeStaysWithinItsLayer)
{
    const fs::path root(PLOTWISE_SOURCE_ROOT);
    const auto& table = allowedIncludes();
    std::ostringstream faults;
    const auto files = productSources(root);
    ASSERT_GT(files.size(), 50u);
    for (const std::string& file : files) {
        const std::string folder = folderOf(file);
        const auto allowed = table.find(folder);
        if (allowed == table.end()) {
            faults << file << ": its folder " << folder << " has no row in the table of layers\n";
            continue;
        }
        for (const Include& inc : includesOf(root / file)) {
            if (inc.angle) {
                if (kWidgetFree.count(folder) && isWidgetHeader(inc.target))
                    faults << file << ':' << inc.line << ": widget-free code includes <" << inc.target << ">\n";
                continue;
            }
            if (!fs::exists(root / inc.target)) {
                faults << file << ':' << inc.line << ": \"" << inc.target
                       << "\" is not written from the repository root\n";
                continue;
            }
            const std::string target = folderOf(inc.target);
            if (!allowed->second.count(target))
                faults << file << ':' << inc.line << ": " << folder << " may not include " << inc.target << '\n';
        }
    }
    EXPECT_EQ(faults.str(), "");
}
