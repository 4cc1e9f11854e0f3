#include "tools/shape_coverage.h"

#include <algorithm>
#include <cmath>

float coverageFromDistance(float distance) {
    return std::clamp(0.5f - distance, 0.0f, 1.0f);
}

float segmentDistance(float x, float y, float ax, float ay, float bx, float by, float halfWidth) {
    const float dx = bx - ax;
    const float dy = by - ay;
    const float lengthSquared = dx * dx + dy * dy;
    float t = 0.0f;
    if (lengthSquared > 0.0f)
        t = std::clamp(((x - ax) * dx + (y - ay) * dy) / lengthSquared, 0.0f, 1.0f);
    const float px = ax + t * dx - x;
    const float py = ay + t * dy - y;
    return std::sqrt(px * px + py * py) - halfWidth;
}

float ringDistance(float x, float y, float cx, float cy, float radius, float halfWidth) {
    const float distance = std::hypot(x - cx, y - cy);
    return std::fabs(distance - radius) - halfWidth;
}

float letterKDistance(float x, float y, float x0, float y0, float x1, float y1) {
    const float width = x1 - x0;
    const float height = y1 - y0;
    const float stroke = 0.11f * width;
    const float stemX = x0 + 0.22f * width;
    const float joinX = stemX + 0.08f * width;
    const float midY = y0 + 0.48f * height;
    const float stem = segmentDistance(x, y, stemX, y0 + stroke, stemX, y1 - stroke, stroke);
    const float upperArm =
        segmentDistance(x, y, joinX, midY, x1 - 0.2f * width, y1 - stroke, stroke * 0.95f);
    const float lowerLeg = segmentDistance(x, y, joinX + 0.1f * width, midY + 0.06f * height,
                                           x1 - 0.16f * width, y0 + stroke, stroke * 0.95f);
    return std::min({stem, upperArm, lowerLeg});
}
