// (placeholder so the platform library has a source until its layers land)
