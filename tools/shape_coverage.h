// Antialiased coverage of simple shapes, for painters that draw emblems and marks: each returns
// how much of a one-pixel-wide sample lies inside the shape, 0..1, from a signed distance.
#pragma once

// Coverage from a signed distance in pixels (negative inside).
float coverageFromDistance(float distance);
// Signed distance from (x, y) to a segment of half-width `halfWidth` between (ax, ay) and (bx, by).
float segmentDistance(float x, float y, float ax, float ay, float bx, float by, float halfWidth);
// Signed distance to a ring around (cx, cy) with the given radius and half-width.
float ringDistance(float x, float y, float cx, float cy, float radius, float halfWidth);
// Signed distance to the bold letter K inside the box (x0, y0)-(x1, y1), y up.
float letterKDistance(float x, float y, float x0, float y0, float x1, float y1);
