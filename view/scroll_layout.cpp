#include "view/scroll_layout.h"

#include <algorithm>

namespace tintara {

namespace {

struct Axis {
  int32_t position;
  int32_t limit;
};

Axis LayoutAxis(int32_t content, int32_t client, int32_t position, bool centre) {
  int32_t excess = content - client;
  if (excess <= 0) return {centre ? excess / 2 : 0, 0};
  return {std::clamp(position, 0, excess), excess};
}

int32_t PositiveModulo(int32_t value, int32_t modulus) {
  if (modulus <= 0) return 0;
  int32_t rest = value % modulus;
  return rest < 0 ? rest + modulus : rest;
}

}  // namespace

ScrollLayout LayoutScrollBars(const ImageSize& content, const ViewportMetrics& metrics,
                              Point position, bool centre) {
  ScrollLayout layout;
  layout.content = content;
  int32_t width = metrics.client.width;
  int32_t height = metrics.client.height;
  // A bar is needed when the content overflows, or when it would overflow once
  // the other bar (itself needed) takes its room.
  layout.horizontalBar =
      width < content.width ||
      (width < content.width + metrics.verticalBarWidth && height < content.height);
  layout.verticalBar =
      height < content.height ||
      (height < content.height + metrics.horizontalBarHeight && width < content.width);
  if (layout.horizontalBar) height -= metrics.horizontalBarHeight;
  if (layout.verticalBar) width -= metrics.verticalBarWidth;
  layout.client = {std::max(width, 0), std::max(height, 0)};

  Axis x = LayoutAxis(content.width, layout.client.width, position.x, centre);
  Axis y = LayoutAxis(content.height, layout.client.height, position.y, centre);
  layout.position = {x.position, y.position};
  layout.limit = {x.limit, y.limit};
  return layout;
}

Point ClampScroll(const ScrollLayout& layout, Point current, Point requested) {
  Point result = current;
  if (layout.horizontalBar) result.x = std::clamp(requested.x, 0, layout.limit.x);
  if (layout.verticalBar) result.y = std::clamp(requested.y, 0, layout.limit.y);
  return result;
}

Point BackgroundTileOrigin(Point scroll, int32_t tileWidth, int32_t tileHeight) {
  return {-PositiveModulo(scroll.x, tileWidth), -PositiveModulo(scroll.y, tileHeight)};
}

}  // namespace tintara
