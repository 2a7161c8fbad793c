// The records a particle emitter keeps and the renderer draws from: one
// particle (a node of a singly linked list) and the particle system block
// with the list head, texture, blend mode and point size.
#pragma once

#include <cstdint>

#include "ST/draw_types.h"

namespace ZOV {

// One particle; allocated one by one and linked through `next`.
struct JPARTIC {
  bool alive = false;           // false once its age has passed its life
  float x = 0, y = 0, z = 0;    // position in pixels
  uint32_t color = 0;           // current ARGB colour
  float age = 0;                // seconds since birth
  float life = 0;               // seconds it lives
  float vx = 0, vy = 0, vz = 0; // velocity, pixels per second
  float damping = 0;            // taken off each velocity component per second
  float topSpeed = 0;           // upper bound of each velocity component
  float ax = 0, ay = 0, az = 0; // acceleration, pixels per second squared
  float wobbleSinX = 0, wobbleSinY = 0, wobbleCosX = 0, wobbleCosY = 0;
  float wobbleFreq = 0;         // radians per second
  JPARTIC* next = nullptr;
};

// What an emitter hands the renderer (JINGFX::RenderJPARTIC), plus its
// emission settings. Every field is public; owners tune them directly.
struct JINPARTICSYS {
  float sizeFactor = 0.15f;     // point size = sizeFactor × pointScale
  int pointScale = 0;           // height in pixels of the particle texture
  float emissionRate = 1.0f;    // particles per second
  int liveCount = 0;            // particles in the list
  int capacity = 0;             // most particles timed emission keeps
  float interval = 1.0f;        // 1 / emissionRate, seconds
  float spread = 0.0f;          // radians of random turn given to new particles
  unsigned long texture = 0;    // the particle image
  JPARTIC* particles = nullptr; // head of the list; new particles go first
  int blend = JENUM::BLEND_POINT_ADD;
  uint32_t startColor = 0, middleColor = 0, endColor = 0;
  float emitterX = 0.0f, emitterY = 0.0f;
};

}  // namespace ZOV
