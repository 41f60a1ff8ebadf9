#include "imaging/metadata.h"

#include <algorithm>
#include <mutex>

#include <exiv2/exiv2.hpp>

#include "imaging/format_codes.h"

namespace imaging::metadata {

namespace {

void ensureExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
    });
}

// Tags describing a file's own pixel layout: they must not travel to another file.
const char* const kStructureKeys[] = {"Exif.Image.NewSubfileType",
                                      "Exif.Image.SubfileType",
                                      "Exif.Image.ImageWidth",
                                      "Exif.Image.ImageLength",
                                      "Exif.Image.BitsPerSample",
                                      "Exif.Image.Compression",
                                      "Exif.Image.PhotometricInterpretation",
                                      "Exif.Image.StripOffsets",
                                      "Exif.Image.SamplesPerPixel",
                                      "Exif.Image.RowsPerStrip",
                                      "Exif.Image.StripByteCounts",
                                      "Exif.Image.PlanarConfiguration",
                                      "Exif.Image.TileWidth",
                                      "Exif.Image.TileLength",
                                      "Exif.Image.TileOffsets",
                                      "Exif.Image.TileByteCounts",
                                      "Exif.Image.ExtraSamples",
                                      "Exif.Image.SampleFormat",
                                      "Exif.Image.InterColorProfile",
                                      "Exif.Image.SubIFDs",
                                      "Exif.Image.Predictor",
                                      "Exif.Image.XMLPacket",
                                      "Exif.Image.IPTCNAA",
                                      "Exif.Image.ImageResources",
                                      "Exif.Image.DNGVersion",
                                      "Exif.Image.DNGBackwardVersion",
                                      "Exif.Image.JPEGTables",
                                      "Exif.Image.YCbCrSubSampling"};

bool decodeExif(const Bytes& exif, Exiv2::ExifData& data) {
    if (exif.empty()) return false;
    try {
        Exiv2::ExifParser::decode(data, exif.data(), static_cast<std::uint32_t>(exif.size()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

Bytes encodeExif(const Exiv2::ExifData& data) {
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, data);
    return Bytes(blob.begin(), blob.end());
}

bool isStandardGroup(const std::string& group) {
    static const char* const kGroups[] = {"Image",     "Photo",  "Iop",    "GPSInfo",
                                          "Thumbnail", "Image2", "Image3", "MpfInfo"};
    return std::any_of(std::begin(kGroups), std::end(kGroups),
                       [&](const char* g) { return group == g; });
}

}  // namespace

void read(const std::uint8_t* d, std::size_t n, Image& image) {
    ensureExiv2();
    try {
        auto img = Exiv2::ImageFactory::open(d, static_cast<long>(n));
        if (!img.get()) return;
        img->readMetadata();
        Exiv2::ExifData exif = img->exifData();
        for (const char* key : kStructureKeys) {
            auto pos = exif.findKey(Exiv2::ExifKey(key));
            if (pos != exif.end()) exif.erase(pos);
        }
        if (!exif.empty()) image.exif = encodeExif(exif);
        if (!img->iptcData().empty()) {
            Exiv2::DataBuf buf = Exiv2::IptcParser::encode(img->iptcData());
            image.iptc.assign(buf.pData_, buf.pData_ + buf.size_);
        }
        if (!img->xmpPacket().empty()) image.xmp = img->xmpPacket();
        if (image.comment.empty()) image.comment = img->comment();
        if (image.icc.empty() && img->iccProfileDefined()) {
            const Exiv2::DataBuf* icc = img->iccProfile();
            image.icc.assign(icc->pData_, icc->pData_ + icc->size_);
        }
    } catch (const std::exception&) {
        // Metadata that exiv2 cannot parse is left out; the pixels still load.
    }
}

int orientation(const Image& image) {
    Exiv2::ExifData data;
    if (decodeExif(image.exif, data)) {
        auto pos = data.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
        if (pos != data.end() && pos->count() > 0) {
            const long v = pos->toLong();
            if (v >= 1 && v <= 8) return static_cast<int>(v);
        }
    }
    return 1;
}

void setOrientation(Image& image, int value) {
    ensureExiv2();
    Exiv2::ExifData data;
    if (decodeExif(image.exif, data)) {
        try {
            data["Exif.Image.Orientation"] = static_cast<std::uint16_t>(value);
            image.exif = encodeExif(data);
        } catch (const std::exception&) {
        }
    }
    if (!image.xmp.empty()) {
        try {
            Exiv2::XmpData xmp;
            if (Exiv2::XmpParser::decode(xmp, image.xmp) == 0) {
                auto pos = xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation"));
                if (pos != xmp.end()) {
                    pos->setValue(std::to_string(value));
                    std::string packet;
                    if (Exiv2::XmpParser::encode(packet, xmp) == 0) image.xmp = packet;
                }
            }
        } catch (const std::exception&) {
        }
    }
}

std::size_t exifLimit(int formatCode) {
    switch (formatCode) {
        case kFormatJpeg:
        case kFormatJpegProgressive:
            return 65533 - 2 - 6;
        default:
            return 0x7FFFFFFF;
    }
}

bool hasThumbnail(const Bytes& exif) {
    Exiv2::ExifData data;
    if (!decodeExif(exif, data)) return false;
    Exiv2::ExifThumbC thumb(data);
    return thumb.copy().size_ > 0;
}

Bytes thumbnail(const Bytes& exif) {
    Exiv2::ExifData data;
    if (!decodeExif(exif, data)) return {};
    try {
        Exiv2::ExifThumbC thumb(data);
        if (std::string(thumb.mimeType()) != "image/jpeg") return {};
        Exiv2::DataBuf buf = thumb.copy();
        return Bytes(buf.pData_, buf.pData_ + buf.size_);
    } catch (const std::exception&) {
        return {};
    }
}

namespace {

// Bytes an EXIF block takes once written: entries, values stored outside them, the thumbnail.
std::size_t encodedSize(const Exiv2::ExifData& data) {
    std::size_t size = 8 + 6 * 6;  // header and directory overheads
    for (const auto& md : data) {
        const std::size_t n = static_cast<std::size_t>(md.size());
        size += 12 + (n > 4 ? n + (n & 1) : 0);
    }
    Exiv2::ExifThumbC thumb(data);
    size += static_cast<std::size_t>(thumb.copy().size_);
    return size;
}

// Sets the dimensions and thumbnail, then trims to the container: the thumbnail first, then
// the maker notes, then the largest values, until the block fits.
bool prepare(Exiv2::ExifData& data, int width, int height, const Bytes& thumbnailJpeg,
             std::size_t limit) {
    data["Exif.Photo.PixelXDimension"] = static_cast<std::uint32_t>(width);
    data["Exif.Photo.PixelYDimension"] = static_cast<std::uint32_t>(height);
    Exiv2::ExifThumb thumb(data);
    thumb.erase();
    if (!thumbnailJpeg.empty())
        thumb.setJpegThumbnail(thumbnailJpeg.data(), static_cast<long>(thumbnailJpeg.size()));
    if (encodedSize(data) <= limit) return true;
    thumb.erase();
    if (encodedSize(data) <= limit) return true;
    for (auto it = data.begin(); it != data.end();) {
        if (!isStandardGroup(it->groupName()) || it->key() == "Exif.Photo.MakerNote")
            it = data.erase(it);
        else
            ++it;
    }
    while (encodedSize(data) > limit && !data.empty()) {
        auto largest = std::max_element(data.begin(), data.end(), [](const auto& a, const auto& b) {
            return a.size() < b.size();
        });
        data.erase(largest);
    }
    return !data.empty();
}

// Writes the metadata set on an exiv2 image into its copy of the file and hands the bytes back.
void writeBack(Exiv2::Image& img, Bytes& file) {
    img.writeMetadata();
    Exiv2::BasicIo& io = img.io();
    io.open();
    io.seek(0, Exiv2::BasicIo::beg);
    Exiv2::DataBuf buf = io.read(static_cast<long>(io.size()));
    io.close();
    file.assign(buf.pData_, buf.pData_ + buf.size_);
}

}  // namespace

bool write(Bytes& file, int formatCode, const Image& image, const Bytes& thumbnailJpeg,
           std::string& error) {
    const Bytes& exif = image.exif;
    const Bytes& iptc = image.iptc;
    const std::string& xmp = image.xmp;
    const std::string& comment = image.comment;
    if (formatCode == kFormatBmp) return true;  // no place for them
    if (exif.empty() && iptc.empty() && xmp.empty() && comment.empty()) return true;
    ensureExiv2();
    try {
        auto img = Exiv2::ImageFactory::open(file.data(), static_cast<long>(file.size()));
        if (!img.get()) {
            error = "The metadata cannot be written into this file.";
            return false;
        }
        img->readMetadata();  // keeps what the writer put there, the colour profile above all
        Exiv2::ExifData exifData;
        if (decodeExif(exif, exifData) &&
            prepare(exifData, image.width, image.height, thumbnailJpeg, exifLimit(formatCode)))
            img->setExifData(exifData);
        else
            img->clearExifData();
        Exiv2::IptcData iptcData;
        if (!iptc.empty())
            Exiv2::IptcParser::decode(iptcData, iptc.data(),
                                      static_cast<std::uint32_t>(iptc.size()));
        img->setIptcData(iptcData);
        if (!xmp.empty()) {
            // The packet goes in as it came: exiv2 would refuse packets its XMP toolkit cannot
            // parse (cameras write some with duplicate properties).
            try {
                img->setXmpPacket(xmp);
            } catch (const Exiv2::AnyError&) {
                img->writeXmpFromPacket(true);
                img->xmpPacket() = xmp;
            }
        }
        const bool hasComment = formatCode == kFormatJpeg || formatCode == kFormatJpegProgressive;
        if (hasComment && !comment.empty()) img->setComment(comment);
        writeBack(*img, file);
        return true;
    } catch (const Exiv2::AnyError& e) {
        error = "The metadata cannot be written (exiv2 error " + std::to_string(e.code()) +
                "): " + e.what();
        return false;
    } catch (const std::exception& e) {
        error = std::string("The metadata cannot be written: ") + e.what();
        return false;
    }
}

bool updateFile(Bytes& file, int width, int height, std::string& error,
                const Bytes* turnedThumbnail) {
    ensureExiv2();
    try {
        auto img = Exiv2::ImageFactory::open(file.data(), static_cast<long>(file.size()));
        if (!img.get()) return true;
        img->readMetadata();
        Exiv2::ExifData& data = img->exifData();
        Exiv2::XmpData& xmp = img->xmpData();
        if (data.empty() && xmp.empty()) return true;
        if (data.findKey(Exiv2::ExifKey("Exif.Photo.PixelXDimension")) != data.end()) {
            data["Exif.Photo.PixelXDimension"] = static_cast<std::uint32_t>(width);
            data["Exif.Photo.PixelYDimension"] = static_cast<std::uint32_t>(height);
        }
        if (data.findKey(Exiv2::ExifKey("Exif.Image.Orientation")) != data.end())
            data["Exif.Image.Orientation"] = static_cast<std::uint16_t>(1);
        if (turnedThumbnail) {
            Exiv2::ExifThumb thumb(data);
            thumb.erase();
            if (!turnedThumbnail->empty())
                thumb.setJpegThumbnail(turnedThumbnail->data(),
                                       static_cast<long>(turnedThumbnail->size()));
        }
        if (xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation")) != xmp.end())
            xmp["Xmp.tiff.Orientation"] = "1";
        // A packet exiv2 cannot parse goes back as it came rather than being dropped.
        if (xmp.empty() && !img->xmpPacket().empty()) img->writeXmpFromPacket(true);
        writeBack(*img, file);
        return true;
    } catch (const std::exception& e) {
        error = std::string("The metadata cannot be updated: ") + e.what();
        return false;
    }
}

std::string text(const Bytes& exif, const char* key) {
    Exiv2::ExifData data;
    if (!decodeExif(exif, data)) return {};
    try {
        auto pos = data.findKey(Exiv2::ExifKey(key));
        if (pos == data.end()) return {};
        std::string s = pos->toString();
        while (!s.empty() && (s.back() == '\0' || s.back() == ' '))
            s.pop_back();
        return s;
    } catch (const std::exception&) {
        return {};
    }
}

std::optional<double> number(const Bytes& exif, const char* key) {
    Exiv2::ExifData data;
    if (!decodeExif(exif, data)) return std::nullopt;
    try {
        auto pos = data.findKey(Exiv2::ExifKey(key));
        if (pos == data.end() || pos->count() == 0) return std::nullopt;
        const Exiv2::TypeId type = pos->typeId();
        if (type == Exiv2::unsignedRational || type == Exiv2::signedRational) {
            const Exiv2::Rational r = pos->toRational(0);
            if (r.second == 0) return std::nullopt;
            return static_cast<double>(r.first) / static_cast<double>(r.second);
        }
        return static_cast<double>(pos->toLong(0));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace imaging::metadata
