// The menu search over a menu tree of 2,000 commands: building the index when the panel opens,
// and the search that each keystroke runs.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

#include "core/search/MenuIndex.h"

namespace {

using namespace tarvik;

constexpr std::array<const char*, 16> kWords = {
    "Save",  "Open",      "Format", "Paragraph", "Insert", "Table", "Column", "Row",
    "Style", "Caf\u00e9", "Review", "Comment",   "Export", "Print", "Zoom",   "Window"};

std::shared_ptr<MenuItem> Entry(std::string text, int32_t id) {
    auto item = std::make_shared<MenuItem>();
    item->text = std::move(text);
    item->CommandId = id;
    return item;
}

// 10 titles, each with 10 submenus of 20 commands ("Insert Table Row 3..."), every tenth one
// disabled and every third with a shortcut text.
MenuItemList BigTree() {
    MenuItemList titles;
    int32_t id = 1000;
    for (int t = 0; t < 10; ++t) {
        auto title = Entry(std::string(kWords[t]), -1);
        for (int s = 0; s < 10; ++s) {
            auto sub = Entry(std::string(kWords[(t + s) % 16]) + " " + kWords[(s * 3) % 16], -1);
            for (int c = 0; c < 20; ++c) {
                auto command = Entry(std::string(kWords[(t + s + c) % 16]) + " " +
                                         kWords[(c * 7 + s) % 16] + " " + std::to_string(c) + "...",
                                     ++id);
                command->IsEnabled = c % 10 != 9;
                if (c % 3 == 0) command->AcceleratorText = "Ctrl+Shift+F" + std::to_string(c % 12);
                sub->Children.push_back(command);
            }
            title->Children.push_back(sub);
        }
        titles.push_back(title);
    }
    return titles;
}

void BuildIndex(benchmark::State& state) {
    const MenuItemList tree = BigTree();
    MenuIndex index;
    for (auto _ : state) {
        index.Build(tree);
        benchmark::DoNotOptimize(index.Size());
    }
    state.counters["commands"] = static_cast<double>(index.Size());
}
BENCHMARK(BuildIndex)->Unit(benchmark::kMillisecond);

// The query as it stands after each keystroke; the one-letter query finds the most.
void SearchKeystroke(benchmark::State& state) {
    MenuIndex index;
    index.Build(BigTree());
    const std::array<const char*, 4> queries = {"s", "sav", "sav ro", "caf\u00e9 tab 1"};
    const char* query = queries[static_cast<size_t>(state.range(0))];
    for (auto _ : state) benchmark::DoNotOptimize(index.Search(query));
    state.SetLabel(query);
}
BENCHMARK(SearchKeystroke)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
