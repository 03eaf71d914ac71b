#include "db/block_walk.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "cvx/dbents.h"

namespace cvx::db {
namespace {

struct WalkState {
    std::vector<const AcDbBlockTableRecord*> open;
    uint64_t reached = 0;
    int scopes = 0;
    std::wstring cut;
};

thread_local WalkState tWalk;

std::wstring quoted(const AcDbBlockTableRecord* block) { return L"\"" + block->name() + L"\""; }

std::wstring count(double n) {
    char buf[64];
    if (n < 1e15) std::snprintf(buf, sizeof buf, "%.0f", n);
    else std::snprintf(buf, sizeof buf, "%.3g", n);
    return std::wstring(buf, buf + std::char_traits<char>::length(buf));
}

void noteCut(std::wstring why) {
    if (tWalk.cut.empty()) tWalk.cut = std::move(why);
}

}  // namespace

BlockWalk::BlockWalk() {
    if (tWalk.scopes++ == 0 && tWalk.open.empty()) {
        tWalk.reached = 0;
        tWalk.cut.clear();
    }
}

BlockWalk::~BlockWalk() { --tWalk.scopes; }

const std::wstring& BlockWalk::cut() { return tWalk.cut; }

BlockVisit::BlockVisit(const AcDbBlockTableRecord* block) {
    if (!block) return;
    WalkState& w = tWalk;
    if (w.open.empty() && w.scopes == 0) {
        w.reached = 0;
        w.cut.clear();
    }
    if (std::find(w.open.begin(), w.open.end(), block) != w.open.end()) {
        noteCut(L"block " + quoted(block) + L" inserts itself" +
                (w.open.back() == block ? L"" : L" through " + quoted(w.open.back())) + L"; the inner copies are left out");
        return;
    }
    if (w.open.size() >= size_t(kMaxBlockNesting)) {
        noteCut(L"blocks nest more than " + std::to_wstring(kMaxBlockNesting) + L" levels deep at " + quoted(block) +
                L"; the deeper levels are left out");
        return;
    }
    uint64_t n = block->entityIds().size() + 1;  // the visit itself costs about as much as an entity
    if (w.reached + n > kBlockWalkBudget) {
        const AcDbBlockTableRecord* top = w.open.empty() ? block : w.open.front();
        noteCut(L"block " + quoted(top) + L" holds more than " + count(double(kBlockWalkBudget)) +
                L" entities through its nested blocks; the rest are left out");
        return;
    }
    w.reached += n;
    w.open.push_back(block);
    mEntered = true;
}

BlockVisit::~BlockVisit() {
    if (mEntered) tWalk.open.pop_back();
}

// The block graph walked without recursion (a chain of 100,000 nested blocks must not exhaust the stack):
// each block's count of entities once expanded, blocks on a cycle, and the deepest nesting.
std::vector<std::wstring> blockGraphProblems(const AcDbDatabase& db) {
    std::vector<std::wstring> problems;
    auto* table = AcDbBlockTable::cast(db.tableId(AcDbDatabase::kBlock).objectPtr());
    if (!table) return problems;
    struct Node {
        std::vector<const AcDbBlockTableRecord*> inserts;  // one per reference, so repeats count
        double expanded = 0;
        int depth = 0;  // the longest chain of nested blocks below, this one included
        int state = 0;  // 0 unseen, 1 open in the walk, 2 done
    };
    std::unordered_map<const AcDbBlockTableRecord*, Node> nodes;
    std::vector<const AcDbBlockTableRecord*> blocks;
    for (AcDbObjectId id : table->recordIds()) {
        auto* rec = AcDbBlockTableRecord::cast(id.objectPtr());
        if (!rec || id.isErased()) continue;
        blocks.push_back(rec);
        Node& node = nodes[rec];
        for (AcDbObjectId eid : rec->entityIds()) {
            if (eid.isErased()) continue;
            if (auto* ref = AcDbBlockReference::cast(eid.objectPtr()))
                if (auto* inner = AcDbBlockTableRecord::cast(ref->blockTableRecord().objectPtr()))
                    node.inserts.push_back(inner);
            node.expanded += 1;
        }
    }
    std::vector<std::wstring> cycles;
    const AcDbBlockTableRecord* huge = nullptr;
    const AcDbBlockTableRecord* deep = nullptr;
    struct Frame {
        const AcDbBlockTableRecord* block;
        size_t next;
    };
    for (const AcDbBlockTableRecord* root : blocks) {
        if (nodes[root].state) continue;
        std::vector<Frame> stack{{root, 0}};
        nodes[root].state = 1;
        while (!stack.empty()) {
            Frame& f = stack.back();
            Node& node = nodes[f.block];
            if (f.next < node.inserts.size()) {
                const AcDbBlockTableRecord* inner = node.inserts[f.next++];
                Node& in = nodes[inner];
                if (in.state == 0) {
                    in.state = 1;
                    stack.push_back({inner, 0});
                } else if (in.state == 1 && cycles.size() < 10) {
                    std::wstring path;
                    auto from = std::find_if(stack.begin(), stack.end(), [&](const Frame& s) { return s.block == inner; });
                    for (auto it = from; it != stack.end(); ++it) path += quoted(it->block) + L" > ";
                    path += quoted(inner);
                    std::wstring line = from + 1 == stack.end() ? L"block " + quoted(inner) + L" inserts itself"
                                                                : L"blocks insert each other: " + path;
                    if (std::find(cycles.begin(), cycles.end(), line) == cycles.end()) cycles.push_back(line);
                }
                continue;
            }
            // Every block this one inserts is done (or on the cycle, counted as empty): add up.
            double expanded = node.expanded;
            int depth = 1;
            for (const AcDbBlockTableRecord* inner : node.inserts) {
                const Node& in = nodes[inner];
                if (in.state != 2) continue;
                expanded += in.expanded - 1;  // the reference itself gives way to what it inserts
                depth = std::max(depth, in.depth + 1);
            }
            node.expanded = expanded;
            node.depth = depth;
            node.state = 2;
            if (expanded > double(kBlockWalkBudget) && !f.block->isLayout() && (!huge || expanded > nodes[huge].expanded)) huge = f.block;
            if (depth > kMaxBlockNesting && (!deep || depth > nodes[deep].depth)) deep = f.block;
            stack.pop_back();
        }
    }
    for (std::wstring& c : cycles) problems.push_back(c + L"; the inner copies are left out when it is drawn");
    if (deep)
        problems.push_back(L"block " + quoted(deep) + L" nests " + std::to_wstring(nodes[deep].depth) +
                           L" levels deep; levels past " + std::to_wstring(kMaxBlockNesting) +
                           L" are left out when it is drawn");
    if (huge)
        problems.push_back(L"block " + quoted(huge) + L" expands to " + count(nodes[huge].expanded) +
                           L" entities through its nested blocks; drawing and extents stop after " +
                           count(double(kBlockWalkBudget)));
    return problems;
}

}  // namespace cvx::db
