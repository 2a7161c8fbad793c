// The recording backend: no GL at all. Every clear, draw and present is kept
// in a log with its target, vertices and full state, so tests without a
// display can check what the renderer drew. Read-backs return each target
// filled with its last clear colour.
#include <unordered_map>

#include "platform/gfx_device.h"
#include "platform/window.h"

namespace plat::gfx {
namespace {

struct Log {
  std::vector<Record> records;
  size_t draws = 0;
  Caps caps{16.0f, true, false, true};
  void (*presentHook)() = nullptr;
};

Log& L() {
  static Log* l = new Log;
  return *l;
}

class RecordingDevice : public detail::Device {
 public:
  int Create(Window& window, int, int backW, int backH) override {
    if (backW <= 0 || backH <= 0) {
      const IPt client = window.ClientSize();
      const IPt fallback = window.BackBufferSize();
      backW = client.x > 0 ? client.x : fallback.x;
      backH = client.y > 0 ? client.y : fallback.y;
    }
    if (backW <= 0 || backH <= 0) return -1;
    back_ = {backW, backH};
    return 0;
  }
  IPt BackSize() const override { return back_; }
  bool Resize(int w, int h) override {
    back_ = {w, h};
    return true;
  }
  Caps GetCaps() const override { return L().caps; }
  void BeginScene() override { detail::TakeReleased(); }
  void EndScene() override {}
  void SetTarget(Tex target, int, int) override { target_ = target; }
  void Clear(uint32_t argb) override {
    Record r;
    r.kind = Record::Clear;
    r.target = target_;
    r.clearColor = argb;
    L().records.push_back(std::move(r));
    cleared_[target_] = argb;
  }
  void Draw(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni) override {
    Record r;
    r.kind = Record::Draw;
    r.target = target_;
    r.prim = prim;
    r.vertices.assign(v, v + nv);
    if (idx) r.indices.assign(idx, idx + ni);
    r.state = s;
    L().records.push_back(std::move(r));
    ++L().draws;
  }
  void Present() override {
    if (L().presentHook) L().presentHook();
    Record r;
    r.kind = Record::Present;
    L().records.push_back(std::move(r));
  }
  void Finish() override {}
  uint64_t Batches() const override { return L().draws; }
  uint64_t Uploads() const override { return 0; }
  bool ReadTarget(Tex target, Image& out) override {
    int w = back_.x, h = back_.y;
    if (target != 0) {
      detail::TexInfo info;
      if (!detail::Describe(target, info) || !info.renderTarget) return false;
      w = info.w;
      h = info.h;
    }
    auto it = cleared_.find(target);
    uint32_t c = it == cleared_.end() ? 0u : it->second;
    if (target == 0) c |= 0xFF000000u;
    out.w = w;
    out.h = h;
    out.argb.assign(size_t(w) * size_t(h), c);
    return true;
  }

 private:
  IPt back_;
  Tex target_ = 0;
  std::unordered_map<Tex, uint32_t> cleared_;
};

}  // namespace

namespace detail {
std::unique_ptr<Device> MakeRecordingDevice() { return std::make_unique<RecordingDevice>(); }
}  // namespace detail

const std::vector<Record>& Recorded() { return L().records; }
void ClearRecorded() {
  L().records.clear();
  L().draws = 0;
}
size_t RecordedDraws() { return L().draws; }
void SetRecordingCapsForTests(const Caps& caps) { L().caps = caps; }
void SetRecordingPresentHookForTests(void (*hook)()) { L().presentHook = hook; }

}  // namespace plat::gfx
