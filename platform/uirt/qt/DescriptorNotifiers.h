// The Qt front end's descriptor watches: one QSocketNotifier per watched descriptor.
#pragma once

#include "platform/uirt/model/watch.h"

#include <QSocketNotifier>
#include <map>
#include <memory>

namespace uirt::qt {

class DescriptorNotifiers final : public DescriptorWatch {
  public:
    void watch(int id, int fd) override;
    void unwatch(int id) override;

  private:
    std::map<int, std::unique_ptr<QSocketNotifier>> notifiers_;
};

} // namespace uirt::qt
