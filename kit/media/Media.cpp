// The media layer: capture device, codecs, movies, sound, motion, album.
