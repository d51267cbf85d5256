# Sources of this subsystem are added here as its classes land.
