// Gallery pages register themselves; the application shows one tab per page.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace gallery {

struct Page {
    QString title;
    std::function<QWidget*()> create;
};

std::vector<Page>& Pages();

struct PageRegistrar {
    PageRegistrar(const QString& title, std::function<QWidget*()> create)
    {
        Pages().push_back({title, std::move(create)});
    }
};


} // namespace gallery

#define QOR_GALLERY_CONCAT2(a, b) a##b
#define QOR_GALLERY_CONCAT(a, b) QOR_GALLERY_CONCAT2(a, b)
/// Registers a page: QOR_GALLERY_PAGE("Meter", [] { return new MeterPage; });
#define QOR_GALLERY_PAGE(title, factory) \
    static gallery::PageRegistrar QOR_GALLERY_CONCAT(qorGalleryPage_, __LINE__)(title, factory)
