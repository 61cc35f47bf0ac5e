// The tile and droplet pictures, taken from the files committed beside this one.
#include "assets/built_in_pictures.h"

#include "assets/embedded/kDropletBmp.h"
#include "assets/embedded/kTile1Jpg.h"
#include "assets/embedded/kTile2Jpg.h"
#include "assets/embedded/kTile3Jpg.h"
#include "assets/embedded/kTile4Jpg.h"
#include "assets/embedded/kTile5Jpg.h"

namespace vintello {

// constinit: other start-up code may read these before main, so they must not wait for
// dynamic initialisation.
constinit const std::array<std::span<const std::uint8_t>, 5> BuiltInTilePictures = {
    embedded::kTile1Jpg, embedded::kTile2Jpg, embedded::kTile3Jpg, embedded::kTile4Jpg,
    embedded::kTile5Jpg};

constinit const std::span<const std::uint8_t> DropletPicture = embedded::kDropletBmp;

}  // namespace vintello
