// Movement arrows: their lanes, and their drawing as smooth curves with a head at
// the target.
#include "tree/move_arrow_routes.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "picture/arrow_head.h"
#include "tree/node_geometry.h"

namespace gramarbor {

namespace {

// Largest lane over a range of positions, and setting a range to a lane at least
// as deep as every lane in it.
class LaneTree {
public:
    explicit LaneTree(std::size_t size) : Size(std::max<std::size_t>(size, 1)) {
        Deepest.assign(4 * Size, 0);
        Pending.assign(4 * Size, 0);
    }
    int32_t Max(std::size_t from, std::size_t to) { return Query(1, 0, Size - 1, from, to); }
    void Set(std::size_t from, std::size_t to, int32_t lane) {
        Update(1, 0, Size - 1, from, to, lane);
    }

private:
    void Push(std::size_t at) {
        if (!Pending[at]) return;
        for (std::size_t child : {2 * at, 2 * at + 1}) {
            Deepest[child] = Pending[child] = Pending[at];
        }
        Pending[at] = 0;
    }
    int32_t Query(std::size_t at, std::size_t lo, std::size_t hi, std::size_t from,
                  std::size_t to) {
        if (to < lo || hi < from) return 0;
        if (from <= lo && hi <= to) return Deepest[at];
        Push(at);
        const std::size_t mid = (lo + hi) / 2;
        return std::max(Query(2 * at, lo, mid, from, to), Query(2 * at + 1, mid + 1, hi, from, to));
    }
    void Update(std::size_t at, std::size_t lo, std::size_t hi, std::size_t from, std::size_t to,
                int32_t lane) {
        if (to < lo || hi < from) return;
        if (from <= lo && hi <= to) {
            Deepest[at] = Pending[at] = lane;
            return;
        }
        Push(at);
        const std::size_t mid = (lo + hi) / 2;
        Update(2 * at, lo, mid, from, to, lane);
        Update(2 * at + 1, mid + 1, hi, from, to, lane);
        Deepest[at] = std::max(Deepest[2 * at], Deepest[2 * at + 1]);
    }
    std::size_t Size;
    std::vector<int32_t> Deepest, Pending;
};

// Direction from (0, 0) to (dx, dy) in whole degrees, clockwise on the screen.
int Degrees(double dx, double dy) {
    int angle = static_cast<int>(std::lround(std::atan2(dy, dx) * 180.0 / 3.14159265358979323846));
    return angle < 0 ? angle + 360 : angle;
}

} // namespace

std::vector<TArrowRoute> RouteArrows(const std::vector<TMoveArrow>& arrows) {
    return RouteArrows(arrows, [](const TNode* node) { return int64_t(node->X); });
}

std::vector<TArrowRoute> RouteArrows(const std::vector<TMoveArrow>& arrows,
                                     const std::function<int64_t(const TNode*)>& column) {
    std::vector<TArrowRoute> routes;
    routes.reserve(arrows.size());
    std::vector<int64_t> columns;
    for (const TMoveArrow& arrow : arrows) {
        const bool between = !arrow.From->Children.empty() && !arrow.To->Children.empty();
        routes.push_back({arrow, !between, 1});
        columns.push_back(column(arrow.From));
        columns.push_back(column(arrow.To));
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    const auto indexOf = [&](int64_t at) {
        return static_cast<std::size_t>(std::lower_bound(columns.begin(), columns.end(), at) -
                                        columns.begin());
    };
    // Shorter arrows first, so that an arrow spanning another one lies below it.
    std::vector<std::size_t> order(routes.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto span = [&](std::size_t i) {
        return std::abs(column(routes[i].Arrow.From) - column(routes[i].Arrow.To));
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return span(a) < span(b); });
    LaneTree below(columns.size()), between(columns.size());
    for (std::size_t i : order) {
        TArrowRoute& route = routes[i];
        const std::size_t a = indexOf(column(route.Arrow.From)),
                          b = indexOf(column(route.Arrow.To));
        LaneTree& lanes = route.Below ? below : between;
        route.Lane = lanes.Max(std::min(a, b), std::max(a, b)) + 1;
        lanes.Set(std::min(a, b), std::max(a, b), route.Lane);
    }
    return routes;
}

int32_t TTree::MoveArrowLaneGap() const {
    return std::max<int32_t>(10, VDist / 5);
}

int64_t TTree::MoveArrowDepth(const std::vector<TArrowRoute>& routes) const {
    int64_t lanes = 0;
    for (const TArrowRoute& route : routes)
        lanes = std::max<int64_t>(lanes, route.Below ? route.Lane : route.Lane + 1);
    return lanes == 0 ? 0 : lanes * MoveArrowLaneGap() + 4;
}

void TTree::DrawMoveArrows(Canvas& canvas, const std::vector<TArrowRoute>& routes,
                           int64_t laneBase) {
    const int64_t gap = MoveArrowLaneGap();
    // The lowest edge of a node's boxes, its annotation box included.
    const auto bottomOf = [&](const TNode* node) {
        int64_t bottom = node->Rect.Bottom;
        if (WithAnnotations && !node->Cont.empty())
            bottom += 4 + MeasureNodeBox(node->Attr, 0, node->Cont.size()).Height;
        return bottom;
    };
    const auto centreOf = [](const TNode* node) {
        return (int64_t(node->Rect.Left) + node->Rect.Right) / 2;
    };
    // Several arrows at one node leave or reach it side by side, ordered by where
    // their other ends are.
    std::map<const TNode*, std::vector<std::pair<int64_t, std::size_t>>> ends;
    for (std::size_t i = 0; i < routes.size(); ++i) {
        const TMoveArrow& a = routes[i].Arrow;
        ends[a.From].push_back({centreOf(a.To), 2 * i});
        ends[a.To].push_back({centreOf(a.From), 2 * i + 1});
    }
    std::vector<int64_t> endX(2 * routes.size());
    for (auto& [node, list] : ends) {
        std::sort(list.begin(), list.end());
        const int64_t width = int64_t(node->Rect.Right) - node->Rect.Left;
        const int64_t step = std::min<int64_t>(8, width / int64_t(list.size() + 1));
        for (std::size_t k = 0; k < list.size(); ++k)
            endX[list[k].second] =
                centreOf(node) + (2 * int64_t(k) - int64_t(list.size()) + 1) * step / 2;
    }

    canvas.State.PenColor = clBlack;
    for (std::size_t i = 0; i < routes.size(); ++i) {
        constexpr int Steps = 32;
        const TArrowRoute& route = routes[i];
        const TNode* from = route.Arrow.From;
        const TNode* to = route.Arrow.To;
        double p0x, p0y, p3x, p3y, depth;
        if (route.Below) {
            p0x = double(endX[2 * i]);
            p0y = double(bottomOf(from) + 2);
            p3x = double(endX[2 * i + 1]);
            p3y = double(bottomOf(to) + 2);
            // The curve's lowest drawn point lies on the lane: at step t the curve is
            // at a(t) + 3t(1 - t) depth, so depth is the smallest that reaches it.
            const double lane = double(laneBase + route.Lane * gap);
            depth = lane;
            for (int k = 1; k < Steps; ++k) {
                const double t = double(k) / Steps, u = 1 - t;
                const double a = u * u * u * p0y + t * t * t * p3y;
                depth = std::min(depth, (lane - a) / (3 * u * t));
            }
        } else {
            const bool leftward = centreOf(to) < centreOf(from);
            p0x = double(leftward ? from->Rect.Left - 2 : from->Rect.Right + 2);
            p0y = (double(from->Rect.Top) + from->Rect.Bottom) / 2;
            p3x = double(leftward ? to->Rect.Right + 2 : to->Rect.Left - 2);
            p3y = (double(to->Rect.Top) + to->Rect.Bottom) / 2;
            depth = std::max(p0y, p3y) + double((route.Lane + 1) * gap);
        }
        // A cubic curve from the source down to the lane and up to the target.
        TPoint last{};
        double lastX = p0x, lastY = p0y;
        for (int k = 0; k <= Steps; ++k) {
            const double t = double(k) / Steps, u = 1 - t;
            const double x =
                u * u * u * p0x + 3 * u * u * t * p0x + 3 * u * t * t * p3x + t * t * t * p3x;
            const double y = u * u * u * p0y + 3 * u * t * (u + t) * depth + t * t * t * p3y;
            const TPoint point{ClampToInt32(std::llround(x)), ClampToInt32(std::llround(y))};
            if (k == 0)
                canvas.MoveTo(point.X, point.Y);
            else
                canvas.LineTo(point.X, point.Y);
            if (k == Steps - 1) {
                lastX = x;
                lastY = y;
            }
            last = point;
        }
        DrawArrowHead(canvas, last, Degrees(p3x - lastX, p3y - lastY), true, 8, 4, -2);
    }
}

} // namespace gramarbor
