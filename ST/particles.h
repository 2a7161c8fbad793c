// Point-sprite particle emitters. ZOV::PARTIC keeps a singly linked list of
// short-lived particles copied from a template: each moves under velocity,
// acceleration, damping and a sine/cosine wobble, fades through three
// colours over its life and is drawn as a textured point by the renderer.
// PARTIC_CIRCLE starts its particles at random places inside a disc.
//
// Owners choose a preset with SetType, then tune the public fields (the
// template, the particle system block) directly, call Update(0, 0.0f) once
// per frame and Render(0) when they draw. The time step comes from the game
// object, the random numbers from its generator.
#pragma once

#include "ST/draw_types.h"
#include "ST/object.h"
#include "ST/particle_types.h"

namespace ZOV {

namespace JENUM {
// How an emitter's image is loaded; the emitters take any value and do not
// use it.
enum IMGTYPE { IMG_PLAIN = 0 };
}  // namespace JENUM

// The emitter presets of SetType. Any value other than 1, 2 and 3 selects
// the trail preset; the game uses 0.
enum JPENUM {
  JP_TRAIL = 0,     // a drifting trail (the cursor snow)
  JP_FOUNTAIN = 1,  // the default preset rising in a quarter turn
  JP_BURST = 2,     // a round burst (clicks, joins, hints)
  JP_DEFAULT = 3,   // what the constructor selects
};

class PARTIC : public JST::ST {
 public:
  // Loads the texture from the pack selected in ZOV::ifile, else from disk
  // (a failed load gives the renderer's default texture); the point scale is
  // the loaded texture's height. Then SetType(3). `type` is not used.
  PARTIC(const char* texture, int type, int capacity);
  // Prints "~PARTIC", frees the texture and every particle, prints
  // "~PARTIC OK!".
  ~PARTIC() override;
  PARTIC(const PARTIC&) = delete;
  PARTIC& operator=(const PARTIC&) = delete;

  // One simulation step of the game object's frame time; returns 0.
  int Update(int, float) override;
  // Every alive particle as one point sprite; returns 0.
  int Render(int) override;
  // ShootAt(n, template x, template y), the coordinates truncated.
  virtual void Shoot(int n);
  // Spawns n particles at (x, y), whatever the capacity.
  virtual void ShootAt(int n, int x, int y);
  // Timed emission: at most one particle per call, at the emitter position,
  // while emitting, once the interval has passed and below the capacity.
  virtual void Emission();

  int Message(int) { return 1; }
  // Loads a preset (ZOV::JPENUM): frees the particles, puts the emitter and
  // the template at the screen centre, switches timed emission off and sets
  // the preset's fields.
  void SetType(int type);
  // Rate in particles per second; the interval is 1 / rate, and a rate of 0
  // or below never fires. Restarts the emission clock.
  void SetEmission(float rate);
  // Where timed emission places new particles (the template stays).
  void SetPos(float x, float y);
  // Spawns the burst count at the template's position and switches timed
  // emission on.
  void Feuer();
  // Switches timed emission off; living particles go on.
  void Stoppen();
  // Unlinks and frees the dead particles, keeping the order of the others.
  void StealKill();

  float emissionClock = 0.0f;  // seconds since the last timed emission
  JINCOLORRGBA work[3];        // start, middle, end colours of the fade
  int burst = 0;               // particles Feuer emits at once
  bool emitting = false;       // timed emission on
  JPARTIC templ;               // copied into every new particle
  JINPARTICSYS sys;            // what the renderer reads

 protected:
  // One new particle at (x, y): the template turned by a random angle in
  // [-spread/2, spread/2], random wobble amplitudes and life, put at the head
  // of the list.
  void Spawn(float x, float y);
  // Deletes every particle in the list.
  void FreeAll();

 private:
  void ApplyPreset(int type);
};

}  // namespace ZOV

// An emitter whose particles start at random points of a disc: a whole
// number of pixels from the centre (uniform in distance, so they gather
// towards it) in a random direction.
class PARTIC_CIRCLE : public ZOV::PARTIC {
 public:
  PARTIC_CIRCLE(const char* texture, int type, int capacity);
  ~PARTIC_CIRCLE() override;

  // Does nothing.
  void Shoot(int n) override;
  // n particles in the disc of the current radius around (x, y).
  void ShootAt(int n, int x, int y) override;
  // Timed emission inside the disc set by SetZone.
  void Emission() override;

  void SetZone(int x, int y, int radius);

  int centerX = 0, centerY = 0, radius = 0;

 private:
  void SpawnInDisc(int cx, int cy);
};
